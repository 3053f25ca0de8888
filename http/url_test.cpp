#include "http/url.h"

#include <gtest/gtest.h>

namespace {

struct HostCase {
  const char* url;
  bool domain_only;
  bool keep_port;
  std::optional<int> label_count;
  const char* host;
};

TEST(UrlHost, Cases) {
  const HostCase cases[] = {
      {"http://Example.COM/a/b?x=1", false, false, {}, "example.com"},
      {"https://example.com:8443/x", false, false, {}, "example.com"},
      {"https://example.com:8443/x", false, true, {}, "example.com:8443"},
      {"HTTPS://Example.com/x", false, false, {}, "example.com"},
      {"example.com/x", false, false, {}, "example.com"},
      {"http://example.com", false, false, {}, "example.com"},
      {"http://example.com?x=1", false, false, {}, "example.com?x=1"},
      {"example.com/?u=http://x/", false, false, {}, "x"},
      {"http://user:pw@host.example:81/p", false, false, {}, "user"},
      {"http://user:pw@host.example:81/p", false, true, {}, "user:pw@host.example:81"},
      {"http://shop.example.com/", true, false, {}, "example.com"},
      {"http://localhost/", true, false, {}, "localhost"},
      {"http://192.168.1.20/", true, false, {}, "1.20"},
      {"http://shop.example.com:8080/", true, false, {}, "example.com"},
      {"http://shop.example.com:8080/", true, true, {}, "example.com:8080"},
      {"", false, false, {}, ""},
      // The label-count mode, with the worked example's table.
      {"http://a.b.example.com/x", true, false, 0, "com"},
      {"http://a.b.example.com/x", false, false, 0, "example.com"},
      {"http://a.b.example.com/x", true, false, 1, "example.com"},
      {"http://a.b.example.com/x", false, false, 1, "b.example.com"},
      {"http://a.b.example.com/x", true, false, 2, "b.example.com"},
      {"http://a.b.example.com/x", false, false, 2, "a.b.example.com"},
      {"http://a.b.example.com/x", true, false, 3, "a.b.example.com"},
      {"http://a.b.example.com/x", false, false, 3, "a.b.example.com"},
      {"a.b.example.com", false, false, -5, "example.com"},
      {"https://A.B.Example.com:99/", true, false, 1, "example.com"},
      {"https://A.B.Example.com:99/", true, true, 1, "example.com:99"},
      {"http://localhost/", false, false, 0, "localhost"},
      // Given zero is not omitted: the mode differs for the same input.
      {"http://x.y.z/", false, false, {}, "x.y.z"},
      {"http://x.y.z/", true, false, {}, "y.z"},
      {"http://x.y.z/", true, false, 0, "z"},
  };
  for (const HostCase& c : cases) {
    EXPECT_EQ(TextCompare(UrlHost(c.url, c.domain_only, c.keep_port, c.label_count), c.host), 0)
        << c.url << " domain_only=" << c.domain_only << " keep_port=" << c.keep_port
        << " label_count=" << (c.label_count ? std::to_string(*c.label_count) : "omitted")
        << " gave '" << UrlHost(c.url, c.domain_only, c.keep_port, c.label_count).view() << "'";
  }
}

TEST(UrlPort, Cases) {
  const std::pair<const char*, int> cases[] = {
      {"http://Example.COM/a/b?x=1", 80},
      {"https://example.com:8443/x", 8443},
      {"HTTPS://example.com/", 443},
      {"example.com/x", 80},
      {"http://example.com:/", 0},
      {"http://127.0.0.1:8600/xuliehao/index.php", 8600},
      {"", 80},
  };
  for (const auto& [url, port] : cases) EXPECT_EQ(UrlPort(url), port) << url;
}

TEST(UrlPath, Cases) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://Example.COM/a/b?x=1", "/a/b?x=1"},
      {"http://Example.COM/A/B?X=1#Frag", "/A/B?X=1#Frag"},
      {"example.com/x", "/x"},
      {"http://example.com", "/"},
      {"http://example.com?x=1", "/"},
      {"https://example.com:8443/x", "/x"},
      {"", "/"},
      {"example.com/?u=http://x/", "/?u=http://x/"},
      // Hosts that also occur inside the scheme.
      {"http://h/", "/"},
      {"HTTP://H:81/a", "/a"},
      {"https://s/x/y", "/x/y"},
      {"https://tp", "/"},
  };
  for (const auto& [url, path] : cases) {
    EXPECT_EQ(TextCompare(UrlPath(url), path), 0) << url << " gave '" << UrlPath(url).view() << "'";
  }
}

TEST(HeaderValue, Cases) {
  const std::pair<const char*, const char*> cases[] = {
      {"Location: http://x/y", "http://x/y"},
      {"Set-Cookie: a=1", "a=1"},
      {"no colon here", ""},
      {"Name:", ""},
      {"Name:   ", ""},
      {"X:  a:b:c  ", "a:b:c"},
      {"X:\tv", "\tv"},
  };
  for (const auto& [line, value] : cases) {
    EXPECT_EQ(TextCompare(HeaderValue(line), value), 0) << line;
  }
}

}  // namespace
