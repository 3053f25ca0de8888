#include "http/tests/fake_internet.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

FakeInternet g_fake;

MaybeText Maybe(const char* s) { return s ? MaybeText(s) : std::nullopt; }

InternetHandle NewHandle() { return reinterpret_cast<InternetHandle>(g_fake.next_handle++); }

void Record(std::string op, InternetHandle handle, std::vector<MaybeText> texts,
            std::vector<std::uint64_t> numbers) {
  g_fake.calls.push_back({std::move(op), handle, std::move(texts), std::move(numbers)});
}

InternetHandle Open(const char* agent, std::uint32_t access, const char* proxy, const char* bypass,
                    std::uint32_t flags) {
  Record("InternetOpenA", nullptr, {Maybe(agent), Maybe(proxy), Maybe(bypass)}, {access, flags});
  return g_fake.script.fail_open ? nullptr : NewHandle();
}

int Close(InternetHandle handle) {
  Record("InternetCloseHandle", handle, {}, {});
  return 1;
}

InternetHandle Connect(InternetHandle session, const char* server, std::uint16_t port,
                       const char* user, const char* password, std::uint32_t service,
                       std::uint32_t flags, std::uintptr_t context) {
  Record("InternetConnectA", session, {Maybe(server), Maybe(user), Maybe(password)},
         {port, service, flags, context});
  return g_fake.script.fail_connect ? nullptr : NewHandle();
}

InternetHandle OpenRequest(InternetHandle connection, const char* verb, const char* object,
                           const char* version, const char* referrer, const char** accept_types,
                           std::uint32_t flags, std::uintptr_t context) {
  std::vector<MaybeText> texts = {Maybe(verb), Maybe(object), Maybe(version), Maybe(referrer)};
  if (accept_types) {
    for (const char** t = accept_types; *t; ++t) texts.push_back(std::string(*t));
  }
  Record("HttpOpenRequestA", connection, std::move(texts),
         {flags, context, accept_types != nullptr});
  return g_fake.script.fail_open_request ? nullptr : NewHandle();
}

void RecordSend(const char* op, InternetHandle request, const char* headers,
                std::uint32_t headers_length, const void* optional, std::uint32_t optional_length) {
  MaybeText body;
  if (optional) body = std::string(static_cast<const char*>(optional), optional_length);
  Record(op, request, {Maybe(headers), body}, {headers_length, optional_length});
}

int Send(InternetHandle request, const char* headers, std::uint32_t headers_length,
         const void* optional, std::uint32_t optional_length) {
  RecordSend("HttpSendRequestA", request, headers, headers_length, optional, optional_length);
  return !g_fake.script.fail_send;
}

int SendWithBody(InternetHandle request, const char* headers, std::uint32_t headers_length,
                 const void* optional, std::uint32_t optional_length) {
  RecordSend("HttpSendRequestA(body)", request, headers, headers_length, optional, optional_length);
  return !g_fake.script.fail_send;
}

int Read(InternetHandle request, void* buffer, std::uint32_t to_read, std::uint32_t* bytes_read) {
  const int n = g_fake.reads++;
  g_fake.read_sizes.push_back(to_read);
  Record("InternetReadFile", request, {}, {to_read});
  *bytes_read = 0;
  if (n == g_fake.script.fail_read_at) return 0;
  if (n >= static_cast<int>(g_fake.script.body.size())) return 1;
  const std::string& piece = g_fake.script.body[n];
  const std::uint32_t count = std::min<std::uint32_t>(to_read, piece.size());
  std::memcpy(buffer, piece.data(), count);
  *bytes_read = count;
  return 1;
}

// Like WinINet: the answer goes in only when it fits with its terminator.
int WriteAnswer(const MaybeText& answer, void* buffer, std::uint32_t* length) {
  if (!answer || answer->size() + 1 > *length) return 0;
  std::memcpy(buffer, answer->c_str(), answer->size() + 1);
  *length = static_cast<std::uint32_t>(answer->size());
  return 1;
}

int Query(InternetHandle request, std::uint32_t level, void* buffer, std::uint32_t* length,
          std::uint32_t* index) {
  Record("HttpQueryInfoA", request, {}, {level, *length, index != nullptr});
  if (level == 22) return WriteAnswer(g_fake.script.raw_headers, buffer, length);
  if (level == 5) return WriteAnswer(g_fake.script.content_length, buffer, length);
  return 0;
}

int Canonicalize(const char* url, char* buffer, std::uint32_t* length, std::uint32_t flags) {
  Record("InternetCanonicalizeUrlA", nullptr, {Maybe(url)}, {*length, flags});
  if (g_fake.script.fail_canonicalize) return 0;
  const std::size_t n = std::strlen(url);
  if (n + 1 > *length) {
    *length = static_cast<std::uint32_t>(n + 1);
    return 0;
  }
  std::memcpy(buffer, url, n + 1);
  *length = static_cast<std::uint32_t>(n);
  return 1;
}

bool Put(const std::string& part, char* buffer, std::uint32_t size) {
  if (part.size() + 1 > size) return false;
  std::memcpy(buffer, part.c_str(), part.size() + 1);
  return true;
}

// Enough of InternetCrackUrlA for the tests: scheme://[user[:password]@]host[:port][/path].
int Crack(const char* url, std::uint32_t url_length, UrlComponents* parts) {
  const std::string u(url, url_length);
  Record("InternetCrackUrlA", nullptr, {u},
         {parts->host_size, parts->user_size, parts->password_size, parts->path_size});
  const std::size_t scheme_end = u.find("://");
  if (scheme_end == std::string::npos) return 0;
  const std::string scheme = u.substr(0, scheme_end);
  if (scheme != "http" && scheme != "https") return 0;
  parts->scheme = scheme == "https" ? 4 : 3;
  std::string rest = u.substr(scheme_end + 3);
  const std::size_t slash = rest.find('/');
  std::string path = slash == std::string::npos ? "" : rest.substr(slash);
  std::string authority = rest.substr(0, slash);
  std::string user, password;
  if (const std::size_t at = authority.rfind('@'); at != std::string::npos) {
    user = authority.substr(0, at);
    authority = authority.substr(at + 1);
    if (const std::size_t colon = user.find(':'); colon != std::string::npos) {
      password = user.substr(colon + 1);
      user = user.substr(0, colon);
    }
  }
  parts->port = scheme == "https" ? 443 : 80;
  if (const std::size_t colon = authority.find(':'); colon != std::string::npos) {
    parts->port =
        static_cast<std::uint16_t>(std::strtol(authority.c_str() + colon + 1, nullptr, 10));
    authority = authority.substr(0, colon);
  }
  return Put(authority, parts->host, parts->host_size) &&
         Put(user, parts->user, parts->user_size) &&
         Put(password, parts->password, parts->password_size) &&
         Put(path, parts->path, parts->path_size);
}

int SetOption(InternetHandle handle, std::uint32_t option, const void* buffer,
              std::uint32_t length) {
  MaybeText value;
  if (option == 43 || option == 44) value = std::string(static_cast<const char*>(buffer), length);
  std::vector<std::uint64_t> numbers = {option, length};
  if (option == 38) {
    const auto* info = static_cast<const ProxyInfo*>(buffer);
    numbers.push_back(info->access_type);
    numbers.push_back(info->proxy == nullptr && info->proxy_bypass == nullptr);
  }
  Record("InternetSetOptionA", handle, {value}, numbers);
  return 1;
}

const InternetOps kInternetOps = {Open, Close,        Connect, OpenRequest,
                                  Send, SendWithBody, Read,    Query};
const DownloadOps kDownloadOps = {Canonicalize, Crack, Open,  Connect, SetOption,
                                  OpenRequest,  Send,  Query, Read,    Close};

}  // namespace

std::vector<std::string> FakeInternet::Ops() const {
  std::vector<std::string> ops;
  for (const FakeCall& c : calls) ops.push_back(c.op);
  return ops;
}

const FakeCall* FakeInternet::First(const std::string& op) const {
  for (const FakeCall& c : calls) {
    if (c.op == op) return &c;
  }
  return nullptr;
}

int FakeInternet::Count(const std::string& op) const {
  return static_cast<int>(
      std::count_if(calls.begin(), calls.end(), [&](const FakeCall& c) { return c.op == op; }));
}

FakeInternet& Fake() { return g_fake; }
void ResetFake() { g_fake = FakeInternet(); }

const InternetOps& FakeInternetOps() { return kInternetOps; }
const DownloadOps& FakeDownloadOps() { return kDownloadOps; }
