// The picture download's seam filled with WinINet through the import table.
#include <windows.h>
#include <wininet.h>

#include <cstddef>
#include <cstdlib>

#include "http/internet.h"

static_assert(sizeof(ProxyInfo) == sizeof(INTERNET_PROXY_INFO));
static_assert(offsetof(ProxyInfo, proxy) == offsetof(INTERNET_PROXY_INFO, lpszProxy));
static_assert(offsetof(ProxyInfo, proxy_bypass) == offsetof(INTERNET_PROXY_INFO, lpszProxyBypass));

namespace {

int Canonicalize(const char* url, char* buffer, std::uint32_t* length, std::uint32_t flags) {
  DWORD size = *length;
  const BOOL ok = InternetCanonicalizeUrlA(url, buffer, &size, flags);
  *length = size;
  return ok;
}

int Crack(const char* url, std::uint32_t url_length, UrlComponents* parts) {
  URL_COMPONENTSA c = {};
  c.dwStructSize = sizeof c;
  c.lpszHostName = parts->host;
  c.dwHostNameLength = parts->host_size;
  c.lpszUserName = parts->user;
  c.dwUserNameLength = parts->user_size;
  c.lpszPassword = parts->password;
  c.dwPasswordLength = parts->password_size;
  c.lpszUrlPath = parts->path;  // no extra-info buffer: the path keeps the query
  c.dwUrlPathLength = parts->path_size;
  if (!InternetCrackUrlA(url, url_length, 0, &c)) return 0;
  parts->scheme = c.nScheme;
  parts->port = c.nPort;
  return 1;
}

InternetHandle Open(const char* agent, std::uint32_t access, const char* proxy, const char* bypass,
                    std::uint32_t flags) {
  return InternetOpenA(agent, access, proxy, bypass, flags);
}

InternetHandle Connect(InternetHandle session, const char* server, std::uint16_t port,
                       const char* user, const char* password, std::uint32_t service,
                       std::uint32_t flags, std::uintptr_t context) {
  return InternetConnectA(session, server, port, user, password, service, flags, context);
}

int SetOption(InternetHandle handle, std::uint32_t option, const void* buffer,
              std::uint32_t length) {
  return InternetSetOptionA(handle, option, const_cast<void*>(buffer), length);
}

InternetHandle OpenRequest(InternetHandle connection, const char* verb, const char* object,
                           const char* version, const char* referrer, const char** accept_types,
                           std::uint32_t flags, std::uintptr_t context) {
  return HttpOpenRequestA(connection, verb, object, version, referrer, accept_types, flags,
                          context);
}

int Send(InternetHandle request, const char* headers, std::uint32_t headers_length,
         const void* optional, std::uint32_t optional_length) {
  return HttpSendRequestA(request, headers, headers_length, const_cast<void*>(optional),
                          optional_length);
}

int Query(InternetHandle request, std::uint32_t level, void* buffer, std::uint32_t* length,
          std::uint32_t* index) {
  DWORD size = *length;
  DWORD at = index ? *index : 0;
  const BOOL ok = HttpQueryInfoA(request, level, buffer, &size, index ? &at : nullptr);
  *length = size;
  if (index) *index = at;
  return ok;
}

int Read(InternetHandle request, void* buffer, std::uint32_t to_read, std::uint32_t* bytes_read) {
  DWORD got = 0;
  const BOOL ok = InternetReadFile(request, buffer, to_read, &got);
  *bytes_read = got;
  return ok;
}

int Close(InternetHandle handle) { return InternetCloseHandle(handle); }

const DownloadOps kImportDownload = {Canonicalize, Crack, Open,  Connect, SetOption,
                                     OpenRequest,  Send,  Query, Read,    Close};

void CloseSessionAtExit() { CloseDownloadSession(kImportDownload); }

}  // namespace

ByteBuffer FetchFile(std::string_view url) {
  // The session outlives every download; it is closed as the process ends, after the exit routine.
  static const bool close_registered = std::atexit(CloseSessionAtExit) == 0;
  (void)close_registered;
  return FetchFile(kImportDownload, url);
}
