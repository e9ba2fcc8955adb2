#include "net/url.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct UrlCase {
  std::string url;
  std::string host;
  std::string hostWithPort;
  int port;
  std::string path;
};

TEST(Url, HostPortAndPath) {
  const UrlCase cases[] = {
      // No scheme: "http://" is assumed.
      {"www.Example.com/a/b", "www.example.com", "www.example.com", 80, "/a/b"},
      {"https://Host.com:8443/x?y=1", "host.com", "host.com:8443", 8443, "/x?y=1"},
      {"https://host.com/x", "host.com", "host.com", 443, "/x"},
      {"HTTPS://host.com", "host.com", "host.com", 443, "/"},
      // Host lower-cased; path and query keep their case.
      {"HTTP://WWW.A.COM/Path?Q=Big", "www.a.com", "www.a.com", 80, "/Path?Q=Big"},
      {"http://a.com", "a.com", "a.com", 80, "/"},
      {"http://127.0.0.1:8080", "127.0.0.1", "127.0.0.1:8080", 8080, "/"},
      // A host ending in ":" has port 0.
      {"a.com:", "a.com", "a.com:", 0, "/"},
      {"a.com:81/x", "a.com", "a.com:81", 81, "/x"},
      // The path starts at the first "/" after the host, even when the host text repeats.
      {"http://A.com/a.com/B", "a.com", "a.com", 80, "/a.com/B"},
      {"http://h.cn/搜索?k=电影", "h.cn", "h.cn", 80, "/搜索?k=电影"},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(net::UrlHost(c.url, false), c.host);
    EXPECT_EQ(net::UrlHost(c.url, true), c.hostWithPort);
    EXPECT_EQ(net::UrlPort(c.url), c.port);
    EXPECT_EQ(net::UrlPath(c.url), c.path);
  }
}

TEST(Url, HeaderValue) {
  const std::pair<std::string, std::string> cases[] = {
      {"Location: http://x/y ", "http://x/y"},
      {"Set-Cookie: a=b: c", "a=b: c"},
      {"X:　v　", "v"},
      {"X:\tv", "\tv"},
      {"Empty:", ""},
      {"no colon here", ""},
  };
  for (const auto& [line, value] : cases) {
    EXPECT_EQ(net::HeaderValue(line), value) << line;
  }
}

TEST(Url, PercentEscape) {
  using net::EscapedBytes;
  const std::string mixed = std::string("/a b\t?c=\x7F&d=") + "\xD6\xD0" + "%41";
  EXPECT_EQ(net::PercentEscape(mixed, EscapedBytes::kBlanksAndControls),
            "/a%20b%09?c=%7F&d=\xD6\xD0%41");
  EXPECT_EQ(net::PercentEscape(mixed, EscapedBytes::kAlsoHighBytes), "/a%20b%09?c=%7F&d=%D6%D0%41");
  EXPECT_EQ(net::PercentEscape("", EscapedBytes::kAlsoHighBytes), "");
}

}  // namespace
