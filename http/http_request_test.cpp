#include "http/http_request.h"

#include <gtest/gtest.h>

#include "http/tests/fake_internet.h"

namespace {

constexpr char kDefaultAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZQ7TK; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
constexpr char kDefaultTail[] =
    "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";

std::string Str(const Text& t) { return std::string(t.view()); }
std::string Str(const ByteBuffer& b) { return std::string(b.begin(), b.end()); }

class HttpRequestTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetFake(); }
  FakeScript& script() { return Fake().script; }
  const FakeCall& Call(const std::string& op) {
    const FakeCall* c = Fake().First(op);
    EXPECT_NE(c, nullptr) << op << " was not called";
    static const FakeCall none;
    return c ? *c : none;
  }
  const InternetOps& net = FakeInternetOps();
};

TEST_F(HttpRequestTest, AgentChoice) {
  struct Case {
    std::optional<Text> extra_headers;
    MaybeText agent;
  };
  const Case cases[] = {
      {std::nullopt, kDefaultAgent},
      {Text("X-A: 1"), kDefaultAgent},
      {Text("User-Agent: Foo\r\nX-A: 1"), "Foo"},
      {Text("X-A: 1\r\nUser-Agent:  Bar  \r\nX-B: 2"), "Bar"},
      // The last line has no "\r\n" after it: the value after the first ":" of the whole text.
      {Text("User-Agent: Foo"), "Foo"},
      {Text("X-A: 1\r\nUser-Agent: Foo"), "1\r\nUser-Agent: Foo"},
      // Found ignoring case, but the value is cut case-sensitively, so the fallback decides.
      {Text("user-agent: x\r\nX-B: 2"), "x\r\nX-B: 2"},
      {Text("USER-AGENT:y"), "y"},
  };
  for (const Case& c : cases) {
    ResetFake();
    Text extra = c.extra_headers.value_or(Text());
    HttpRequest(net, "http://h/", {.extra_headers = c.extra_headers ? &extra : nullptr});
    EXPECT_EQ(Call("InternetOpenA").texts[0], c.agent)
        << (c.extra_headers ? Str(*c.extra_headers) : "omitted");
  }
}

TEST_F(HttpRequestTest, AccessTypeAndProxyList) {
  HttpRequest(net, "http://h/");
  EXPECT_EQ(Call("InternetOpenA").numbers, (std::vector<std::uint64_t>{1, 0}));
  EXPECT_EQ(Call("InternetOpenA").texts[1], std::nullopt);
  EXPECT_EQ(Call("InternetOpenA").texts[2], std::nullopt);

  for (const char* proxy : {"10.0.0.1:3128", ""}) {
    ResetFake();
    HttpRequest(net, "http://h/", {.proxy = Text(proxy)});
    EXPECT_EQ(Call("InternetOpenA").numbers, (std::vector<std::uint64_t>{3, 0}));
    EXPECT_EQ(Call("InternetOpenA").texts[1], "http=" + std::string(proxy));
    EXPECT_EQ(Call("InternetOpenA").texts[2], "");
  }
}

TEST_F(HttpRequestTest, ServerPortObjectAndFlags) {
  struct Case {
    const char* url;
    HttpRequestArgs args;
    const char* server;
    std::uint16_t port;
    const char* object;
    std::uint32_t flags;
  };
  Text jar;
  const Case cases[] = {
      {"http://Example.COM/a/b?x=1", {}, "example.com", 80, "/a/b?x=1", 0x80004010},
      {"https://example.com/x", {}, "example.com", 443, "/x", 0x80800010},
      {"HTTPS://example.com:8443/x", {}, "example.com", 8443, "/x", 0x80800010},
      {"http://h:81", {}, "h", 81, "/", 0x80004010},
      {"http://h/", {.no_redirect = true}, "h", 80, "/", 0x80204010},
      {"http://h/", {.no_redirect = false}, "h", 80, "/", 0x80004010},
      {"http://h/", {.cookies = &jar}, "h", 80, "/", 0x80084010},
      {"https://h/", {.cookies = &jar, .no_redirect = true}, "h", 443, "/", 0x80a80010},
  };
  for (const Case& c : cases) {
    ResetFake();
    HttpRequest(net, c.url, c.args);
    const FakeCall& connect = Call("InternetConnectA");
    EXPECT_EQ(connect.texts, (std::vector<MaybeText>{c.server, std::nullopt, std::nullopt}))
        << c.url;
    EXPECT_EQ(connect.numbers, (std::vector<std::uint64_t>{c.port, 3, 0, 0})) << c.url;
    const FakeCall& open = Call("HttpOpenRequestA");
    EXPECT_EQ(open.texts, (std::vector<MaybeText>{"GET", c.object, "HTTP/1.1", std::nullopt}));
    EXPECT_EQ(open.numbers, (std::vector<std::uint64_t>{c.flags, 0, 0})) << c.url;
  }
}

TEST_F(HttpRequestTest, HeaderTextByteForByte) {
  const std::string url = "http://h/q?sn=ABC";
  struct Case {
    std::optional<Text> extra_headers;
    std::optional<Text> cookies;
    std::string sent;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, "Referer: " + url + kDefaultTail},
      {Text(""), std::nullopt, "Referer: " + url + kDefaultTail},
      {Text("User-Agent: Foo"), std::nullopt, "User-Agent: Foo\r\nReferer: " + url + kDefaultTail},
      {Text("X: 1\r\n"), std::nullopt, "X: 1\r\n\r\nReferer: " + url + kDefaultTail},
      {Text("referer: x"), std::nullopt, "referer: x\r\nReferer: " + url + kDefaultTail},
      {Text("Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c"), std::nullopt,
       "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c"},
      {Text("Accept-Language: en"), std::nullopt,
       "Accept-Language: en\r\nReferer: " + url +
           "\r\nAccept: */*\r\nContent-Type: application/x-www-form-urlencoded"},
      {std::nullopt, Text("a=1; b=2"), "Referer: " + url + kDefaultTail + "\r\nCookie: a=1; b=2"},
      {std::nullopt, Text(""), "Referer: " + url + kDefaultTail},
  };
  for (const Case& c : cases) {
    ResetFake();
    Text extra = c.extra_headers.value_or(Text());
    Text jar = c.cookies.value_or(Text());
    HttpRequest(net, url,
                {.cookies = c.cookies ? &jar : nullptr,
                 .extra_headers = c.extra_headers ? &extra : nullptr});
    const FakeCall& send = Call("HttpSendRequestA");
    EXPECT_EQ(send.texts[0], c.sent);
    EXPECT_EQ(send.numbers[0], c.sent.size());
    EXPECT_EQ(send.texts[1], "");  // the body-less form passes "" with length 0
    EXPECT_EQ(send.numbers[1], 0u);
    if (c.extra_headers) {
      EXPECT_EQ(Str(extra), c.sent);
    }
  }
}

TEST_F(HttpRequestTest, PostBodies) {
  struct Case {
    std::optional<int> method;
    std::optional<Text> post_text;
    std::optional<ByteBuffer> post_bytes;
    const char* verb;
    MaybeText body;
    std::string post_bytes_after;
  };
  const ByteBuffer bytes = {'k', 0, 'v'};
  const Case cases[] = {
      {1, Text("a=1&b=2"), std::nullopt, "POST", "a=1&b=2", ""},
      {1, Text("a=1"), ByteBuffer(), "POST", "a=1", "a=1"},
      {1, Text("ignored"), bytes, "POST", std::string("k\0v", 3), std::string("k\0v", 3)},
      {1, std::nullopt, std::nullopt, "POST", std::nullopt, ""},
      {2, Text("x=y"), ByteBuffer(), "GET", "x=y", "x=y"},
      {-1, Text("x=y"), std::nullopt, "GET", "x=y", ""},
  };
  for (const Case& c : cases) {
    ResetFake();
    ByteBuffer post = c.post_bytes.value_or(ByteBuffer());
    HttpRequest(net, "http://h/",
                {.method = c.method,
                 .post_text = c.post_text,
                 .post_bytes = c.post_bytes ? &post : nullptr});
    EXPECT_EQ(Call("HttpOpenRequestA").texts[0], c.verb);
    EXPECT_EQ(Fake().Count("HttpSendRequestA"), 0);
    const FakeCall& send = Call("HttpSendRequestA(body)");
    EXPECT_EQ(send.texts[1], c.body);
    EXPECT_EQ(send.numbers[1], c.body ? c.body->size() : 0);
    if (c.post_bytes) {
      EXPECT_EQ(Str(post), c.post_bytes_after);
    }
  }
}

TEST_F(HttpRequestTest, MethodZeroSendsNoBody) {
  ByteBuffer post;
  HttpRequest(net, "http://h/", {.method = 0, .post_text = Text("a=1"), .post_bytes = &post});
  EXPECT_EQ(Fake().Count("HttpSendRequestA(body)"), 0);
  EXPECT_EQ(Call("HttpSendRequestA").texts[1], "");
  EXPECT_TRUE(post.empty());
}

TEST_F(HttpRequestTest, ReadsUntilAReadReportsZero) {
  script().body = {"abc", std::string(1024, 'x'), std::string("\0z", 2)};
  const ByteBuffer body = HttpRequest(net, "http://h/");
  EXPECT_EQ(Str(body), "abc" + std::string(1024, 'x') + std::string("\0z", 2));
  EXPECT_EQ(Fake().read_sizes, (std::vector<std::uint32_t>(4, 1024)));
}

TEST_F(HttpRequestTest, FailedReadEndsTheBody) {
  script().body = {"abc", "def"};
  script().fail_read_at = 1;
  EXPECT_EQ(Str(HttpRequest(net, "http://h/")), "abc");
}

TEST_F(HttpRequestTest, CallOrderAndCloseOrder) {
  script().body = {"a"};
  HttpRequest(net, "http://h/");
  EXPECT_EQ(Fake().Ops(),
            (std::vector<std::string>{"InternetOpenA", "InternetConnectA", "HttpOpenRequestA",
                                      "HttpSendRequestA", "InternetReadFile", "InternetReadFile",
                                      "HttpQueryInfoA", "InternetCloseHandle",
                                      "InternetCloseHandle", "InternetCloseHandle"}));
  const auto& calls = Fake().calls;
  const InternetHandle session = calls[1].handle;  // connect is made on the session
  const InternetHandle connection = calls[2].handle;
  const InternetHandle request = calls[3].handle;
  EXPECT_EQ(calls[7].handle, request);
  EXPECT_EQ(calls[8].handle, connection);
  EXPECT_EQ(calls[9].handle, session);
  EXPECT_EQ(calls[6].handle, request);
  EXPECT_EQ(calls[6].numbers, (std::vector<std::uint64_t>{22, 5000, 0}));
}

TEST_F(HttpRequestTest, EarlyFailuresTouchNoVariable) {
  for (int failing = 0; failing < 3; ++failing) {
    ResetFake();
    script().fail_open = failing == 0;
    script().fail_connect = failing == 1;
    script().fail_open_request = failing == 2;
    script().body = {"never read"};
    Text cookies = "c=1", returned = "r", extra = "X: 1", location = "l", raw = "raw";
    ByteBuffer post;
    const ByteBuffer body = HttpRequest(net, "http://h/",
                                        {.method = 1,
                                         .post_text = Text("p=1"),
                                         .cookies = &cookies,
                                         .returned_cookies = &returned,
                                         .extra_headers = &extra,
                                         .location = &location,
                                         .post_bytes = &post,
                                         .raw_headers = &raw});
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(Str(cookies), "c=1");
    EXPECT_EQ(Str(returned), "r");
    EXPECT_EQ(Str(extra), "X: 1");
    EXPECT_EQ(Str(location), "l");
    EXPECT_EQ(Str(raw), "raw");
    EXPECT_TRUE(post.empty());
    std::vector<std::string> expected = {"InternetOpenA"};
    if (failing >= 1) expected.push_back("InternetConnectA");
    if (failing >= 2) expected.push_back("HttpOpenRequestA");
    for (int i = 0; i < failing; ++i) expected.push_back("InternetCloseHandle");
    EXPECT_EQ(Fake().Ops(), expected) << failing;
    if (failing == 2) {
      EXPECT_EQ(Fake().calls[3].handle, Fake().calls[2].handle);  // the connection first
      EXPECT_EQ(Fake().calls[4].handle, Fake().calls[1].handle);
    }
  }
}

TEST_F(HttpRequestTest, CookieCapture) {
  struct Case {
    const char* raw_headers;
    std::optional<Text> cookies;
    const char* returned;
    const char* jar_after;
  };
  const Case cases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n\r\n",
       std::nullopt, "a=1; b=2", ""},
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n\r\n", Text(""),
       "a=1;b=2", "a=1; b=2"},
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\n\r\n", std::nullopt, "", ""},
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSet-Cookie: b=2;\r\n\r\n", std::nullopt, "; b=2", ""},
      {"HTTP/1.1 200 OK\r\nSet-Cookie: b=3; path=/\r\n\r\n", Text("a=1; b=2"), "b=3", "b=3; a=1"},
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=deleted; path=/\r\n\r\n", Text("a=1; b=2"), "a=deleted",
       "b=2"},
      {"HTTP/1.1 200 OK\r\n\r\n", Text("a = 1"), "", "a=1"},
  };
  for (const Case& c : cases) {
    ResetFake();
    script().raw_headers = c.raw_headers;
    Text jar = c.cookies.value_or(Text());
    Text returned = "stale";
    HttpRequest(net, "http://h/",
                {.cookies = c.cookies ? &jar : nullptr, .returned_cookies = &returned});
    EXPECT_EQ(Str(returned), c.returned) << c.raw_headers;
    if (c.cookies) {
      EXPECT_EQ(Str(jar), c.jar_after) << c.raw_headers;
    }
  }
}

TEST_F(HttpRequestTest, LocationRules) {
  constexpr char kRedirect[] =
      "HTTP/1.1 302 Found\r\nLocation: http://x/y?z=1\r\nContent-Length: 0\r\n\r\n";
  constexpr char kPlain[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n";
  struct Case {
    MaybeText raw_headers;
    const char* location_before;
    std::string location_after;
  };
  const Case cases[] = {
      {kRedirect, "", "http://x/y?z=1"},
      {kRedirect, "old", "http://x/y?z=1"},
      {kPlain, "", kPlain},
      {kPlain, "kept", "kept"},
      {"HTTP/1.1 200 OK\r\nContent-Location: /c\r\nLocation: /l\r\n\r\n", "", "/l"},
      {"HTTP/1.1 200 OK\r\nLocation: /l\r\nContent-Location: /c\r\n\r\n", "", "/c"},
      // Headers that did not fit: the blanks stay, and become the location.
      {std::nullopt, "", std::string(5000, ' ')},
  };
  for (const Case& c : cases) {
    ResetFake();
    script().raw_headers = c.raw_headers;
    Text location = c.location_before;
    Text raw;
    HttpRequest(net, "http://h/", {.location = &location, .raw_headers = &raw});
    EXPECT_EQ(Str(location), c.location_after);
    EXPECT_EQ(Str(raw), c.raw_headers.value_or(std::string(5000, ' ')));
  }
}

TEST_F(HttpRequestTest, HeaderBlockOfExactlyTheBufferDoesNotFit) {
  script().raw_headers = std::string(5000, 'h');
  Text raw;
  HttpRequest(net, "http://h/", {.raw_headers = &raw});
  EXPECT_EQ(Str(raw), std::string(5000, ' '));
  script().raw_headers = std::string(4999, 'h');
  HttpRequest(net, "http://h/", {.raw_headers = &raw});
  EXPECT_EQ(Str(raw), std::string(4999, 'h'));
}

TEST_F(HttpRequestTest, GetTextEndsAtTheFirstZeroByte) {
  script().body = {std::string("ab\0yz", 5)};
  EXPECT_EQ(Str(HttpGetText(net, "http://h/")), "ab");
  ResetFake();
  script().fail_connect = true;
  EXPECT_TRUE(HttpGetText(net, "http://h/").empty());
}

}  // namespace
