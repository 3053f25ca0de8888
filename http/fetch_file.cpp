#include "http/fetch_file.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

namespace {

constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr char kVersion[] = "HTTP/1.0";
constexpr char kAcceptHeader[] = "Accept: */*\r\n\r\n";
constexpr std::uint32_t kAcceptHeaderLength = sizeof kAcceptHeader - 1;  // 15
constexpr int kChunkWhenUnknown = 10240;
constexpr int kChunkLimit = 102400;
constexpr std::uint32_t kContentLengthBuffer = 32;

// Buffers handed to the URL split; their sizes are the address limits.
constexpr std::uint32_t kHostSize = 256 + 1;
constexpr std::uint32_t kUserSize = 128 + 1;
constexpr std::uint32_t kPasswordSize = 128 + 1;
constexpr std::uint32_t kPathSize = 2048 + 1;

InternetHandle g_session = nullptr;

struct CrackedUrl {
  int scheme = 0;
  std::uint16_t port = 0;
  char host[kHostSize] = {};
  char user[kUserSize] = {};
  char password[kPasswordSize] = {};
  char path[kPathSize] = {};
};

// Escapes already present stay as they are, and nothing is escaped anew.
bool Canonicalize(const DownloadOps& net, const std::string& url, std::string& out) {
  // Canonicalising without encoding hardly lengthens an address; a longer answer asks once more.
  std::uint32_t length = static_cast<std::uint32_t>(url.size() * 2 + 64);
  for (int attempt = 0; attempt < 2; ++attempt) {
    out.assign(length, '\0');
    std::uint32_t size = length;
    if (net.canonicalize_url(url.c_str(), out.data(), &size, wininet::kCanonicalizeNoEncode)) {
      out.resize(std::min<std::size_t>(size, out.size()));
      out.resize(out.find('\0') == std::string::npos ? out.size() : out.find('\0'));
      return true;
    }
    if (size <= length) return false;
    length = size;
  }
  return false;
}

bool Crack(const DownloadOps& net, const std::string& url, CrackedUrl& cracked) {
  UrlComponents parts{};
  parts.host = cracked.host;
  parts.host_size = kHostSize;
  parts.user = cracked.user;
  parts.user_size = kUserSize;
  parts.password = cracked.password;
  parts.password_size = kPasswordSize;
  parts.path = cracked.path;
  parts.path_size = kPathSize;
  if (!net.crack_url(url.c_str(), static_cast<std::uint32_t>(url.size()), &parts)) return false;
  cracked.scheme = parts.scheme;
  cracked.port = parts.port;
  return true;
}

int ChunkSize(const DownloadOps& net, InternetHandle request) {
  char answer[kContentLengthBuffer] = {};
  std::uint32_t length = kContentLengthBuffer;
  if (!net.query_info(request, wininet::kQueryContentLength, answer, &length, nullptr)) {
    return kChunkWhenUnknown;
  }
  answer[kContentLengthBuffer - 1] = '\0';
  const long long announced = TextToInt(std::string_view(answer));
  if (announced <= 0) return kChunkWhenUnknown;
  return static_cast<int>(std::min<long long>(announced + 1, kChunkLimit));
}

ByteBuffer ReadAll(const DownloadOps& net, InternetHandle request, unsigned char* chunk,
                   int chunk_size) {
  ByteBuffer body;
  for (;;) {
    std::uint32_t got = 0;
    if (!net.read_file(request, chunk, static_cast<std::uint32_t>(chunk_size), &got)) break;
    if (got == 0) break;
    got = std::min<std::uint32_t>(got, static_cast<std::uint32_t>(chunk_size));
    body.insert(body.end(), chunk, chunk + got);
  }
  return body;
}

}  // namespace

ByteBuffer FetchFile(const DownloadOps& net, std::string_view url) {
  if (url.empty()) return {};
  std::string address(url.substr(0, url.find('#')));

  std::string canonical;
  CrackedUrl cracked;
  if (!Canonicalize(net, address, canonical) || !Crack(net, canonical, cracked)) return {};

  std::uint32_t flags = wininet::kFlagReload | wininet::kFlagNoCacheWrite;
  if (cracked.scheme == wininet::kSchemeHttps) flags |= wininet::kFlagSecure;

  if (!g_session) {
    g_session = net.open(kAgent, wininet::kOpenTypeDirect, nullptr, nullptr, 0);
    if (!g_session) return {};
  }

  InternetHandle connection = net.connect(g_session, cracked.host, cracked.port, cracked.user,
                                          cracked.password, wininet::kServiceHttp, 0, 0);
  if (!connection) return {};

  const ProxyInfo preconfig{wininet::kOpenTypePreconfig, nullptr, nullptr};
  net.set_option(g_session, wininet::kOptionProxy, &preconfig, sizeof preconfig);
  net.set_option(connection, wininet::kOptionProxyUsername, "", 1);
  net.set_option(connection, wininet::kOptionProxyPassword, "", 1);

  const char* accept_types[] = {"*/*", nullptr};
  InternetHandle request =
      net.open_request(connection, "GET", cracked.path, kVersion, nullptr, accept_types, flags, 0);
  if (!request) {
    net.close_handle(connection);
    return {};
  }

  ByteBuffer body;
  if (net.send_request(request, kAcceptHeader, kAcceptHeaderLength, nullptr, 0)) {
    const int chunk_size = ChunkSize(net, request);
    std::unique_ptr<unsigned char[]> chunk(new (std::nothrow) unsigned char[chunk_size]);
    if (chunk) body = ReadAll(net, request, chunk.get(), chunk_size);
  }
  net.close_handle(request);
  net.close_handle(connection);
  return body;
}

void CloseDownloadSession(const DownloadOps& net) {
  if (!g_session) return;
  net.close_handle(g_session);
  g_session = nullptr;
}
