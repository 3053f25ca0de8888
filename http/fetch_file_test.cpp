#include "http/fetch_file.h"

#include <gtest/gtest.h>

#include "http/tests/fake_internet.h"

namespace {

std::string Str(const ByteBuffer& b) { return std::string(b.begin(), b.end()); }

class FetchFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseDownloadSession(net);
    ResetFake();
  }
  void TearDown() override { CloseDownloadSession(net); }
  FakeScript& script() { return Fake().script; }
  const FakeCall& Call(const std::string& op) {
    const FakeCall* c = Fake().First(op);
    EXPECT_NE(c, nullptr) << op << " was not called";
    static const FakeCall none;
    return c ? *c : none;
  }
  const DownloadOps& net = FakeDownloadOps();
};

TEST_F(FetchFileTest, RequestAsSent) {
  script().body = {"picture"};
  script().content_length = "7";
  EXPECT_EQ(Str(FetchFile(net, "http://h:8600/dev/a%20b.jpg?x=1#frag")), "picture");

  EXPECT_EQ(Fake().Ops(), (std::vector<std::string>{
                              "InternetCanonicalizeUrlA", "InternetCrackUrlA", "InternetOpenA",
                              "InternetConnectA", "InternetSetOptionA", "InternetSetOptionA",
                              "InternetSetOptionA", "HttpOpenRequestA", "HttpSendRequestA",
                              "HttpQueryInfoA", "InternetReadFile", "InternetReadFile",
                              "InternetCloseHandle", "InternetCloseHandle"}));
  EXPECT_EQ(Call("InternetCanonicalizeUrlA").texts[0], "http://h:8600/dev/a%20b.jpg?x=1");
  EXPECT_EQ(Call("InternetCanonicalizeUrlA").numbers[1], 0x2000u);  // ICU_NO_ENCODE
  EXPECT_EQ(Call("InternetCrackUrlA").numbers, (std::vector<std::uint64_t>{257, 129, 129, 2049}));

  const FakeCall& open = Call("InternetOpenA");
  EXPECT_EQ(open.texts,
            (std::vector<MaybeText>{"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                                    std::nullopt, std::nullopt}));
  EXPECT_EQ(open.numbers, (std::vector<std::uint64_t>{1, 0}));

  const FakeCall& connect = Call("InternetConnectA");
  EXPECT_EQ(connect.texts, (std::vector<MaybeText>{"h", "", ""}));
  EXPECT_EQ(connect.numbers, (std::vector<std::uint64_t>{8600, 3, 0, 0}));

  const auto& calls = Fake().calls;
  const InternetHandle session = connect.handle;
  const InternetHandle connection = calls[7].handle;
  EXPECT_EQ(calls[4].handle, session);
  EXPECT_EQ(calls[4].numbers[0], 38u);
  EXPECT_EQ(calls[4].numbers[1], sizeof(ProxyInfo));
  EXPECT_EQ(calls[4].numbers[2], 0u);  // INTERNET_OPEN_TYPE_PRECONFIG
  EXPECT_EQ(calls[4].numbers[3], 1u);  // no proxy name, no bypass list
  for (int i : {5, 6}) {
    EXPECT_EQ(calls[i].handle, connection);
    EXPECT_EQ(calls[i].numbers, (std::vector<std::uint64_t>{i == 5 ? 43u : 44u, 1}));
    EXPECT_EQ(calls[i].texts[0], std::string(1, '\0'));
  }

  const FakeCall& request = Call("HttpOpenRequestA");
  EXPECT_EQ(request.texts,
            (std::vector<MaybeText>{"GET", "/dev/a%20b.jpg?x=1", "HTTP/1.0", std::nullopt, "*/*"}));
  EXPECT_EQ(request.numbers, (std::vector<std::uint64_t>{0x84000000, 0, 1}));

  const FakeCall& send = Call("HttpSendRequestA");
  EXPECT_EQ(send.texts, (std::vector<MaybeText>{"Accept: */*\r\n\r\n", std::nullopt}));
  EXPECT_EQ(send.numbers, (std::vector<std::uint64_t>{15, 0}));

  EXPECT_EQ(Call("HttpQueryInfoA").numbers, (std::vector<std::uint64_t>{5, 32, 0}));
  const InternetHandle req = calls[8].handle;
  EXPECT_EQ(calls[12].handle, req);
  EXPECT_EQ(calls[13].handle, connection);
}

TEST_F(FetchFileTest, HttpsFlagsAndPort) {
  const std::pair<const char*, std::uint64_t> cases[] = {{"https://h/p.jpg", 443},
                                                         {"https://h:8443/p.jpg", 8443}};
  for (const auto& [url, port] : cases) {
    ResetFake();
    FetchFile(net, url);
    EXPECT_EQ(Call("InternetConnectA").numbers[0], port);
    EXPECT_EQ(Call("HttpOpenRequestA").numbers[0], 0x84800000u);
  }
}

TEST_F(FetchFileTest, UserAndPasswordFromTheAddress) {
  FetchFile(net, "http://me:secret@h/p");
  EXPECT_EQ(Call("InternetConnectA").texts, (std::vector<MaybeText>{"h", "me", "secret"}));
}

TEST_F(FetchFileTest, ChunkSizeFromContentLength) {
  struct Case {
    MaybeText content_length;
    std::uint32_t chunk;
  };
  const Case cases[] = {
      {"5000", 5001},
      {std::nullopt, 10240},
      {"1000000", 102400},
      {"102399", 102400},
      {"0", 10240},
      {"-5", 10240},
      {"abc", 10240},
      {"12abc", 13},
      {std::string(32, '1'), 10240},  // does not fit the buffer
  };
  for (const Case& c : cases) {
    ResetFake();
    CloseDownloadSession(net);
    script().content_length = c.content_length;
    script().body = {std::string(5000, 'p')};
    const ByteBuffer body = FetchFile(net, "http://h/p");
    EXPECT_EQ(body.size(), std::min<std::size_t>(5000, c.chunk));
    ASSERT_FALSE(Fake().read_sizes.empty());
    EXPECT_EQ(Fake().read_sizes[0], c.chunk) << c.content_length.value_or("none");
  }
}

TEST_F(FetchFileTest, FailedReadMidwayReturnsWhatArrived) {
  script().body = {"abc", "def", "ghi"};
  script().fail_read_at = 2;
  EXPECT_EQ(Str(FetchFile(net, "http://h/p")), "abcdef");
  EXPECT_EQ(Fake().Count("InternetCloseHandle"), 2);
}

TEST_F(FetchFileTest, SessionIsReused) {
  script().body = {"a"};
  FetchFile(net, "http://h/1");
  ResetFake();
  script().body = {"b"};
  EXPECT_EQ(Str(FetchFile(net, "http://h/2")), "b");
  EXPECT_EQ(Fake().Count("InternetOpenA"), 0);
  EXPECT_EQ(Fake().Count("InternetCloseHandle"), 2);  // the session stays open

  ResetFake();
  CloseDownloadSession(net);
  EXPECT_EQ(Fake().Ops(), (std::vector<std::string>{"InternetCloseHandle"}));
  ResetFake();
  CloseDownloadSession(net);  // nothing left to close
  EXPECT_TRUE(Fake().calls.empty());
}

TEST_F(FetchFileTest, EarlyFailuresLeaveNoSessionAndNoHandle) {
  struct Case {
    const char* name;
    const char* url;
    void (*arrange)(FakeScript&);
    std::vector<std::string> ops;
  };
  const Case cases[] = {
      {"empty address", "", [](FakeScript&) {}, {}},
      {"only a fragment",
       "#x",
       [](FakeScript& s) { s.fail_canonicalize = true; },
       {"InternetCanonicalizeUrlA"}},
      {"canonicalise",
       "http://h/",
       [](FakeScript& s) { s.fail_canonicalize = true; },
       {"InternetCanonicalizeUrlA"}},
      {"crack", "ftp://h/", [](FakeScript&) {}, {"InternetCanonicalizeUrlA", "InternetCrackUrlA"}},
      {"host too long",
       nullptr,
       [](FakeScript&) {},
       {"InternetCanonicalizeUrlA", "InternetCrackUrlA"}},
      {"session",
       "http://h/",
       [](FakeScript& s) { s.fail_open = true; },
       {"InternetCanonicalizeUrlA", "InternetCrackUrlA", "InternetOpenA"}},
  };
  const std::string long_host = "http://" + std::string(257, 'h') + "/";
  for (const Case& c : cases) {
    ResetFake();
    c.arrange(script());
    EXPECT_TRUE(FetchFile(net, c.url ? c.url : long_host.c_str()).empty()) << c.name;
    EXPECT_EQ(Fake().Ops(), c.ops) << c.name;
    // Nothing was opened, so the next download opens its session.
    ResetFake();
    FetchFile(net, "http://h/");
    EXPECT_EQ(Fake().Count("InternetOpenA"), 1) << c.name;
    CloseDownloadSession(net);
  }
}

TEST_F(FetchFileTest, AddressLimits) {
  const std::pair<std::string, bool> cases[] = {
      {"http://" + std::string(256, 'h') + "/", true},
      {"http://" + std::string(257, 'h') + "/", false},
      {"http://h/" + std::string(2047, 'p'), true},
      {"http://h/" + std::string(2048, 'p'), false},
      {"http://" + std::string(128, 'u') + ":" + std::string(128, 'w') + "@h/", true},
      {"http://" + std::string(129, 'u') + "@h/", false},
      {"http://u:" + std::string(129, 'w') + "@h/", false},
  };
  for (const auto& [url, fits] : cases) {
    ResetFake();
    FetchFile(net, url);
    EXPECT_EQ(Fake().Count("InternetConnectA"), fits ? 1 : 0) << url.size();
  }
}

TEST_F(FetchFileTest, LaterFailuresCloseTheirHandles) {
  struct Case {
    const char* name;
    void (*arrange)(FakeScript&);
    int closes;
  };
  const Case cases[] = {
      {"connect", [](FakeScript& s) { s.fail_connect = true; }, 0},
      {"request", [](FakeScript& s) { s.fail_open_request = true; }, 1},
      {"send", [](FakeScript& s) { s.fail_send = true; }, 2},
  };
  for (const Case& c : cases) {
    ResetFake();
    c.arrange(script());
    script().body = {"never"};
    EXPECT_TRUE(FetchFile(net, "http://h/").empty()) << c.name;
    EXPECT_EQ(Fake().Count("InternetCloseHandle"), c.closes) << c.name;
    EXPECT_EQ(Fake().Count("InternetReadFile"), 0) << c.name;
  }
  // The session opened before those failures is kept for the next download.
  ResetFake();
  FetchFile(net, "http://h/");
  EXPECT_EQ(Fake().Count("InternetOpenA"), 0);
}

TEST_F(FetchFileTest, CanonicalisingLongerThanTheFirstBufferAsksAgain) {
  // A fake that needs more room the first time, as WinINet reports it.
  static int attempts;
  attempts = 0;
  DownloadOps ops = net;
  ops.canonicalize_url = [](const char* url, char* buffer, std::uint32_t* length,
                            std::uint32_t flags) {
    if (attempts++ == 0) {
      *length = 5000;
      return 0;
    }
    return FakeDownloadOps().canonicalize_url(url, buffer, length, flags);
  };
  script().body = {"ok"};
  EXPECT_EQ(Str(FetchFile(ops, "http://h/p")), "ok");
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(Call("InternetCanonicalizeUrlA").numbers[0], 5000u);
}

}  // namespace
