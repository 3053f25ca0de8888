// The request engine's seam filled through the library entry table: each entry of "wininet.dll" is
// bound by name at its first use.
#include <windows.h>
#include <wininet.h>

#include "app/platform/library_table.h"
#include "http/internet.h"

namespace {

template <typename Fn>
Fn Entry(int row) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(BindLibraryEntry(row)));
}

InternetHandle Open(const char* agent, std::uint32_t access, const char* proxy, const char* bypass,
                    std::uint32_t flags) {
  using Fn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
  return Entry<Fn>(kRowInternetOpenA)(agent, access, proxy, bypass, flags);
}

int Close(InternetHandle handle) {
  using Fn = BOOL(WINAPI*)(HINTERNET);
  return Entry<Fn>(kRowInternetCloseHandle)(handle);
}

InternetHandle Connect(InternetHandle session, const char* server, std::uint16_t port,
                       const char* user, const char* password, std::uint32_t service,
                       std::uint32_t flags, std::uintptr_t context) {
  using Fn =
      HINTERNET(WINAPI*)(HINTERNET, LPCSTR, INTERNET_PORT, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
  return Entry<Fn>(kRowInternetConnectA)(session, server, port, user, password, service, flags,
                                         context);
}

InternetHandle OpenRequest(InternetHandle connection, const char* verb, const char* object,
                           const char* version, const char* referrer, const char** accept_types,
                           std::uint32_t flags, std::uintptr_t context) {
  using Fn =
      HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*, DWORD, DWORD_PTR);
  return Entry<Fn>(kRowHttpOpenRequestA)(connection, verb, object, version, referrer, accept_types,
                                         flags, context);
}

using SendFn = BOOL(WINAPI*)(HINTERNET, LPCSTR, DWORD, LPVOID, DWORD);

int Send(InternetHandle request, const char* headers, std::uint32_t headers_length,
         const void* optional, std::uint32_t optional_length) {
  return Entry<SendFn>(kRowHttpSendRequestA)(request, headers, headers_length,
                                             const_cast<void*>(optional), optional_length);
}

int SendWithBody(InternetHandle request, const char* headers, std::uint32_t headers_length,
                 const void* optional, std::uint32_t optional_length) {
  return Entry<SendFn>(kRowHttpSendRequestWithBodyA)(request, headers, headers_length,
                                                     const_cast<void*>(optional), optional_length);
}

int Read(InternetHandle request, void* buffer, std::uint32_t to_read, std::uint32_t* bytes_read) {
  using Fn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
  DWORD got = 0;
  const BOOL ok = Entry<Fn>(kRowInternetReadFile)(request, buffer, to_read, &got);
  *bytes_read = got;
  return ok;
}

int Query(InternetHandle request, std::uint32_t level, void* buffer, std::uint32_t* length,
          std::uint32_t* index) {
  using Fn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);
  DWORD size = *length;
  DWORD at = index ? *index : 0;
  const BOOL ok =
      Entry<Fn>(kRowHttpQueryInfoA)(request, level, buffer, &size, index ? &at : nullptr);
  *length = size;
  if (index) *index = at;
  return ok;
}

const InternetOps kLibraryInternet = {Open, Close,        Connect, OpenRequest,
                                      Send, SendWithBody, Read,    Query};

}  // namespace

const InternetOps& LibraryInternetOps() { return kLibraryInternet; }

ByteBuffer HttpRequest(std::string_view url, const HttpRequestArgs& args) {
  return HttpRequest(kLibraryInternet, url, args);
}

Text HttpGetText(std::string_view url) { return HttpGetText(kLibraryInternet, url); }
