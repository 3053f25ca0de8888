#include "http/http_request.h"

#include <cstring>

#include "http/cookies.h"
#include "http/url.h"
#include "text/text_between.h"

namespace {

constexpr char kDefaultAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZQ7TK; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
constexpr char kHttpVersion[] = "HTTP/1.1";
constexpr char kProxyListPrefix[] = "http=";
constexpr int kReadPiece = 1024;
constexpr int kRawHeaderBuffer = 5000;

Text ChooseAgent(std::string_view extra_headers) {
  if (TextFind(extra_headers, "User-Agent:", 0, true) == -1) return kDefaultAgent;
  Text agent = TextTrim(TextBetween(extra_headers, "User-Agent:", "\r\n"));
  // A User-Agent line at the end has no "\r\n" after it.
  if (agent.empty()) agent = HeaderValue(extra_headers);
  return agent;
}

std::uint32_t RequestFlags(std::string_view url, bool cookies_given, bool no_redirect) {
  std::uint32_t flags = wininet::kFlagReload | wininet::kFlagNeedFile;
  if (cookies_given) flags |= wininet::kFlagNoCookies;
  if (no_redirect) flags |= wininet::kFlagNoAutoRedirect;
  if (TextCompare(TextToLower(TextLeft(url, 5)), "https") == 0) {
    flags |= wininet::kFlagSecure;
  } else {
    flags |= wininet::kFlagIgnoreRedirectToHttps;
  }
  return flags;
}

void AppendIfMissing(std::string& headers, std::string_view name, std::string_view line) {
  if (TextFind(headers, name) == -1) headers += line;
}

std::string CompleteHeaders(std::string_view extra_headers, std::string_view url,
                            std::string_view cookies) {
  std::string headers(extra_headers);
  if (TextFind(headers, "Referer:") == -1) {
    headers += headers.empty() ? "Referer: " : "\r\nReferer: ";
    headers += url;
  }
  AppendIfMissing(headers, "Accept:", "\r\nAccept: */*");
  AppendIfMissing(headers, "Accept-Language:", "\r\nAccept-Language: zh-cn");
  AppendIfMissing(headers, "Content-Type:", "\r\nContent-Type: application/x-www-form-urlencoded");
  if (!cookies.empty()) {
    headers += "\r\nCookie: ";
    headers += cookies;
  }
  return headers;
}

// Appends each piece in place: the body grows linearly, whatever its size.
ByteBuffer ReadBody(const InternetOps& net, InternetHandle request) {
  ByteBuffer body;
  unsigned char piece[kReadPiece];
  for (;;) {
    std::memset(piece, 0, sizeof piece);
    std::uint32_t got = 0;  // reset each time, so that a read that fails without touching it ends
    net.read_file(request, piece, kReadPiece, &got);
    if (got == 0) break;
    if (got > kReadPiece) got = kReadPiece;
    body.insert(body.end(), piece, piece + got);
  }
  return body;
}

Text QueryRawHeaders(const InternetOps& net, InternetHandle request) {
  std::string buffer(kRawHeaderBuffer, ' ');  // the 5000 blanks stay when the query writes nothing
  std::uint32_t length = kRawHeaderBuffer;
  net.query_info(request, wininet::kQueryRawHeadersCrlf, buffer.data(), &length, nullptr);
  buffer.resize(strnlen(buffer.c_str(), buffer.size()));
  return Text(std::move(buffer));
}

}  // namespace

ByteBuffer HttpRequest(const InternetOps& net, std::string_view url, const HttpRequestArgs& args) {
  const int method = args.method.value_or(0);
  const bool cookies_given = args.cookies != nullptr;
  const Text extra_in = args.extra_headers ? *args.extra_headers : Text();

  const char* verb = method == 1 ? "POST" : "GET";
  const Text agent = ChooseAgent(extra_in);

  InternetHandle session;
  if (args.proxy) {
    const Text proxy_list = TextConcat(kProxyListPrefix, *args.proxy);
    session =
        net.open(agent.c_str_or_null(), wininet::kOpenTypeProxy, proxy_list.c_str_or_null(), "", 0);
  } else {
    session = net.open(agent.c_str_or_null(), wininet::kOpenTypeDirect, nullptr, nullptr, 0);
  }
  if (!session) return {};

  const Text server = UrlHost(url);
  InternetHandle connection =
      net.connect(session, server.c_str_or_null(), static_cast<std::uint16_t>(UrlPort(url)),
                  nullptr, nullptr, wininet::kServiceHttp, 0, 0);
  if (!connection) {
    net.close_handle(session);
    return {};
  }

  const Text object = UrlPath(url);
  const std::uint32_t flags = RequestFlags(url, cookies_given, args.no_redirect.value_or(false));
  InternetHandle request = net.open_request(connection, verb, object.c_str_or_null(), kHttpVersion,
                                            nullptr, nullptr, flags, 0);
  if (!request) {
    net.close_handle(connection);
    net.close_handle(session);
    return {};
  }

  const Text headers(
      CompleteHeaders(extra_in, url, cookies_given ? args.cookies->view() : std::string_view()));
  if (args.extra_headers) *args.extra_headers = headers;
  const auto headers_length = static_cast<std::uint32_t>(TextLength(headers));

  if (method == 0) {
    net.send_request(request, headers.c_str_or_null(), headers_length, "", 0);
  } else {
    ByteBuffer own_body;
    ByteBuffer& body = args.post_bytes ? *args.post_bytes : own_body;
    if (BytesEqual(body, ByteBuffer())) {
      body = TextToBytes(args.post_text ? args.post_text->view() : std::string_view());
    }
    net.send_request_with_body(request, headers.c_str_or_null(), headers_length,
                               body.empty() ? nullptr : body.data(),
                               static_cast<std::uint32_t>(body.size()));
  }

  ByteBuffer body = ReadBody(net, request);
  const Text raw_headers = QueryRawHeaders(net, request);

  net.close_handle(request);
  net.close_handle(connection);
  net.close_handle(session);

  Text location = args.location ? *args.location : Text();
  std::string returned;
  for (const Text& line : TextSplit(raw_headers, "\r\n")) {
    if (TextFind(line, "Location:") != -1) location = HeaderValue(line);
    if (TextFind(line, "Set-Cookie") != -1) {
      returned += TextTrim(TextBetween(line, "Set-Cookie:", ";")).view();
      returned += "; ";
    }
  }
  Text returned_cookies = TextLeft(returned, TextLength(returned) - 2);
  if (cookies_given) CookieMerge(*args.cookies, returned_cookies);
  if (location.empty()) location = raw_headers;

  if (args.returned_cookies) *args.returned_cookies = returned_cookies;
  if (args.location) *args.location = location;
  if (args.raw_headers) *args.raw_headers = raw_headers;
  return body;
}

Text HttpGetText(const InternetOps& net, std::string_view url) {
  return BytesToText(HttpRequest(net, url));
}
