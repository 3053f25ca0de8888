// The client against a real HTTP server on 127.0.0.1 (http/tests/http_server.py, started around
// this test by http/tests/with_server.sh): what the server receives, and what comes back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "http/internet.h"

namespace {

constexpr char kDefaultAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZQ7TK; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
constexpr char kDownloadAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::string Str(const Text& t) { return std::string(t.view()); }
std::string Str(const ByteBuffer& b) { return std::string(b.begin(), b.end()); }

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i % 256);
  return s;
}

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("HTTP_TEST_PORT");
    ASSERT_NE(port, nullptr) << "run through http/tests/with_server.sh";
    base_ = std::string("http://127.0.0.1:") + port;
    const char* dead = std::getenv("HTTP_TEST_DEAD_PORT");
    dead_ = std::string("http://127.0.0.1:") + (dead ? dead : "1") + "/";
  }
  std::string Url(const std::string& path) const { return base_ + path; }
  std::string base_, dead_;
};

// The request head as the server received it (the echo route sends it back as the body).
std::string Head(const std::string& echoed) {
  return echoed.substr(0, echoed.find("\r\n\r\n") + 4);
}

TEST_F(ServerTest, GetTextSendsTheDefaultHeaders) {
  const std::string url = Url("/echo?action=search&sn=C39ABC");
  const std::string head = Head(Str(HttpGetText(url)));
  EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /echo?action=search&sn=C39ABC HTTP/1.1")
      << head;
  const std::string defaults = "Referer: " + url +
                               "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
                               "application/x-www-form-urlencoded\r\n";
  EXPECT_NE(head.find("\r\n" + defaults), std::string::npos) << head;
  EXPECT_NE(head.find(std::string("\r\nUser-Agent: ") + kDefaultAgent + "\r\n"), std::string::npos)
      << head;
  EXPECT_EQ(head.find("Cookie:"), std::string::npos) << head;
}

TEST_F(ServerTest, SetCookieCapture) {
  Text returned;
  EXPECT_EQ(Str(HttpRequest(Url("/cookies"), {.returned_cookies = &returned})), "cookies");
  EXPECT_EQ(Str(returned), "a=1; b=2");

  Text jar = "";
  Text extra;
  HttpRequest(Url("/cookies"), {.cookies = &jar, .returned_cookies = &returned});
  EXPECT_EQ(Str(returned), "a=1;b=2");
  EXPECT_EQ(Str(jar), "a=1; b=2");

  // The jar goes out as a Cookie line.
  const std::string head = Head(Str(HttpRequest(Url("/echo"), {.cookies = &jar})));
  EXPECT_NE(head.find("\r\nCookie: a=1; b=2\r\n"), std::string::npos) << head;
}

TEST_F(ServerTest, RedirectCapturedOrFollowed) {
  Text location, raw;
  const ByteBuffer moved = HttpRequest(
      Url("/redirect"), {.location = &location, .no_redirect = true, .raw_headers = &raw});
  EXPECT_EQ(Str(moved), "moved");
  EXPECT_EQ(Str(location), Url("/target?from=redirect"));
  EXPECT_EQ(Str(raw).rfind("HTTP/1.1 302", 0), 0u) << Str(raw);

  EXPECT_EQ(Str(HttpRequest(Url("/redirect"))), "arrived");
  EXPECT_EQ(Str(HttpGetText(Url("/redirect"))), "arrived");
}

TEST_F(ServerTest, PostWithABody) {
  ByteBuffer post;
  const std::string echoed = Str(HttpRequest(
      Url("/echo/form"), {.method = 1, .post_text = Text("a=1&b=two"), .post_bytes = &post}));
  EXPECT_EQ(echoed.rfind("POST /echo/form HTTP/1.1\r\n", 0), 0u) << echoed;
  EXPECT_NE(echoed.find("\r\nContent-Length: 9\r\n"), std::string::npos) << echoed;
  EXPECT_EQ(echoed.substr(echoed.find("\r\n\r\n") + 4), "a=1&b=two");
  EXPECT_EQ(Str(post), "a=1&b=two");

  ByteBuffer bytes = {'k', 0, 'v', 0xFF};
  const std::string raw_body =
      Str(HttpRequest(Url("/echo/bytes"), {.method = 1, .post_bytes = &bytes}));
  EXPECT_EQ(raw_body.substr(raw_body.find("\r\n\r\n") + 4), Str(bytes));
}

TEST_F(ServerTest, ZeroByteInTheBody) {
  EXPECT_EQ(Str(HttpRequest(Url("/zero"))), std::string("ab\0yz", 5));
  EXPECT_EQ(Str(HttpGetText(Url("/zero"))), "ab");
}

TEST_F(ServerTest, NotFoundPageIsTheBody) {
  Text raw;
  EXPECT_EQ(Str(HttpRequest(Url("/notfound"), {.raw_headers = &raw})),
            "<html><body>404 not here</body></html>");
  EXPECT_EQ(Str(raw).rfind("HTTP/1.1 404", 0), 0u);
}

TEST_F(ServerTest, EightMebibytesIntact) {
  const std::size_t n = 8u << 20;
  const ByteBuffer body = HttpRequest(Url("/big?n=" + std::to_string(n)));
  ASSERT_EQ(body.size(), n);
  EXPECT_TRUE(Str(body) == Pattern(n));
}

TEST_F(ServerTest, NobodyListeningGivesAnEmptyBody) {
  Text location, raw;
  EXPECT_TRUE(HttpRequest(dead_, {.location = &location, .raw_headers = &raw}).empty());
  EXPECT_TRUE(HttpGetText(dead_).empty());
  EXPECT_EQ(Str(location), Str(raw));
  EXPECT_TRUE(FetchFile(dead_).empty());
}

TEST_F(ServerTest, FetchFileRequest) {
  const std::string echoed = Str(FetchFile(Url("/echo/dev%20images/a.jpg?x=1#frag")));
  const std::string head = Head(echoed);
  EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /echo/dev%20images/a.jpg?x=1 HTTP/1.0") << head;
  EXPECT_NE(head.find(std::string("\r\nUser-Agent: ") + kDownloadAgent + "\r\n"), std::string::npos)
      << head;
  EXPECT_EQ(head.find("frag"), std::string::npos) << head;
  EXPECT_EQ(head.find("#"), std::string::npos) << head;
  EXPECT_EQ(head.find("Referer:"), std::string::npos) << head;
  EXPECT_EQ(head.find("Accept-Language:"), std::string::npos) << head;
  EXPECT_NE(head.find("\r\nAccept: */*\r\n"), std::string::npos) << head;
}

TEST_F(ServerTest, FetchFileBodies) {
  EXPECT_EQ(Str(FetchFile(Url("/big?n=5000"))), Pattern(5000));
  EXPECT_EQ(Str(FetchFile(Url("/big?n=300000"))), Pattern(300000));
  EXPECT_EQ(Str(FetchFile(Url("/nolength?n=30000"))), Pattern(30000));
  EXPECT_EQ(Str(FetchFile(Url("/notfound"))), "<html><body>404 not here</body></html>");
  EXPECT_TRUE(FetchFile("").empty());
}

// Faults: each returns, without a crash and without waiting for more than the server sends.
TEST_F(ServerTest, ServerClosingMidBodyGivesWhatArrived) {
  const std::string engine = Str(HttpRequest(Url("/closemid")));
  EXPECT_LE(engine.size(), 300000u);
  EXPECT_EQ(engine, Pattern(engine.size()));
  const std::string download = Str(FetchFile(Url("/closemid")));
  EXPECT_LE(download.size(), 300000u);
  EXPECT_EQ(download, Pattern(download.size()));
}

TEST_F(ServerTest, AnnouncingMoreThanItSends) {
  EXPECT_EQ(Str(HttpRequest(Url("/short"))), Pattern(100));
  EXPECT_EQ(Str(FetchFile(Url("/short"))), Pattern(100));
}

TEST_F(ServerTest, HeaderBlockLongerThanTheBuffer) {
  Text location, raw;
  EXPECT_EQ(Str(HttpRequest(Url("/hugeheaders"), {.location = &location, .raw_headers = &raw})),
            "after huge headers");
  EXPECT_EQ(Str(raw), std::string(5000, ' '));
  EXPECT_EQ(Str(location), std::string(5000, ' '));
}

TEST_F(ServerTest, GarbageInsteadOfHttp) {
  const std::string garbage = "this is not HTTP at all\r\n\r\nnor is this\r\n";
  Text raw;
  const std::string body = Str(HttpRequest(Url("/garbage"), {.raw_headers = &raw}));
  // The platform may take it for a headerless answer or for nothing at all.
  EXPECT_TRUE(body.empty() || garbage.find(body) != std::string::npos) << body;
  const std::string download = Str(FetchFile(Url("/garbage")));
  EXPECT_TRUE(download.empty() || garbage.find(download) != std::string::npos) << download;
}

}  // namespace
