// The WinINet operations the HTTP client needs, as small tables of function pointers. The logic
// calls only through them: on Windows they are filled with WinINet, in tests with a recording fake.
// Types are plain C++ so that nothing here needs <windows.h>; the Windows side adapts calling
// conventions.
#pragma once

#include <cstdint>

using InternetHandle = void*;  // HINTERNET; null on failure

// Published WinINet values the logic passes on.
namespace wininet {
inline constexpr std::uint32_t kOpenTypePreconfig = 0;
inline constexpr std::uint32_t kOpenTypeDirect = 1;
inline constexpr std::uint32_t kOpenTypeProxy = 3;
inline constexpr std::uint32_t kServiceHttp = 3;
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagNoCacheWrite = 0x04000000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;
inline constexpr std::uint32_t kQueryContentLength = 5;
inline constexpr std::uint32_t kQueryRawHeadersCrlf = 22;
inline constexpr std::uint32_t kOptionProxy = 38;
inline constexpr std::uint32_t kOptionProxyUsername = 43;
inline constexpr std::uint32_t kOptionProxyPassword = 44;
inline constexpr std::uint32_t kCanonicalizeNoEncode = 0x00002000;
inline constexpr int kSchemeHttps = 4;
}  // namespace wininet

// The eight entries of the request engine, one per row of the library entry table; the two send
// forms are one platform function declared twice.
struct InternetOps {
  InternetHandle (*open)(const char* agent, std::uint32_t access_type, const char* proxy,
                         const char* proxy_bypass, std::uint32_t flags);
  int (*close_handle)(InternetHandle handle);
  InternetHandle (*connect)(InternetHandle session, const char* server, std::uint16_t port,
                            const char* user, const char* password, std::uint32_t service,
                            std::uint32_t flags, std::uintptr_t context);
  InternetHandle (*open_request)(InternetHandle connection, const char* verb, const char* object,
                                 const char* version, const char* referrer,
                                 const char** accept_types, std::uint32_t flags,
                                 std::uintptr_t context);
  int (*send_request)(InternetHandle request, const char* headers, std::uint32_t headers_length,
                      const void* optional, std::uint32_t optional_length);
  int (*send_request_with_body)(InternetHandle request, const char* headers,
                                std::uint32_t headers_length, const void* optional,
                                std::uint32_t optional_length);
  int (*read_file)(InternetHandle request, void* buffer, std::uint32_t to_read,
                   std::uint32_t* bytes_read);
  int (*query_info)(InternetHandle request, std::uint32_t info_level, void* buffer,
                    std::uint32_t* buffer_length, std::uint32_t* index);
};

// What InternetCrackUrlA writes: the caller's buffers, each with its size in bytes (terminator
// included) on the way in. A part that does not fit makes the split fail.
struct UrlComponents {
  int scheme;
  std::uint16_t port;
  char* host;
  std::uint32_t host_size;
  char* user;
  std::uint32_t user_size;
  char* password;
  std::uint32_t password_size;
  char* path;  // with the query: no separate buffer is given for it
  std::uint32_t path_size;
};

// Laid out like INTERNET_PROXY_INFOA (12 bytes on 32-bit Windows).
struct ProxyInfo {
  std::uint32_t access_type;
  const char* proxy;
  const char* proxy_bypass;
};

// The entries of the picture download, reached through the import table.
struct DownloadOps {
  int (*canonicalize_url)(const char* url, char* buffer, std::uint32_t* buffer_length,
                          std::uint32_t flags);
  int (*crack_url)(const char* url, std::uint32_t url_length, UrlComponents* components);
  InternetHandle (*open)(const char* agent, std::uint32_t access_type, const char* proxy,
                         const char* proxy_bypass, std::uint32_t flags);
  InternetHandle (*connect)(InternetHandle session, const char* server, std::uint16_t port,
                            const char* user, const char* password, std::uint32_t service,
                            std::uint32_t flags, std::uintptr_t context);
  int (*set_option)(InternetHandle handle, std::uint32_t option, const void* buffer,
                    std::uint32_t buffer_length);
  InternetHandle (*open_request)(InternetHandle connection, const char* verb, const char* object,
                                 const char* version, const char* referrer,
                                 const char** accept_types, std::uint32_t flags,
                                 std::uintptr_t context);
  int (*send_request)(InternetHandle request, const char* headers, std::uint32_t headers_length,
                      const void* optional, std::uint32_t optional_length);
  int (*query_info)(InternetHandle request, std::uint32_t info_level, void* buffer,
                    std::uint32_t* buffer_length, std::uint32_t* index);
  int (*read_file)(InternetHandle request, void* buffer, std::uint32_t to_read,
                   std::uint32_t* bytes_read);
  int (*close_handle)(InternetHandle handle);
};
