#include "net/http_request.h"

#include <gtest/gtest.h>

#include <httplib.h>

#include <cstdlib>

#include <string>
#include <thread>
#include <vector>

#include "net/constants.h"
#include "net/curl_session.h"
#include "raw_http_server.h"

namespace {

using testing_support::HttpResponse;
using testing_support::RawHttpServer;
using testing_support::RecordedRequest;

constexpr char kDefaultLines[] =
    "\r\nAccept: */*\r\nAccept-Language: zh-cn"
    "\r\nContent-Type: application/x-www-form-urlencoded";

RawHttpServer::Responder Answer(std::string statusLine, std::string headerLines = "",
                                std::string body = "body") {
  return [=](const RecordedRequest&) { return HttpResponse(statusLine, headerLines, body); };
}

// A cpp-httplib server on 127.0.0.1 for the cases where ordinary server behaviour is enough.
class LocalServer {
 public:
  LocalServer() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running())
      std::this_thread::yield();
  }
  ~LocalServer() {
    server_.stop();
    thread_.join();
  }
  httplib::Server& server() { return server_; }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

class HttpRequestTest : public testing::Test {
 protected:
  void SetUp() override { net::ClearSharedCookies(); }
};

TEST_F(HttpRequestTest, SendsDefaultHeadersInOrderAndReportsThem) {
  RawHttpServer server(Answer("HTTP/1.1 200 OK", "X-Server: raw\r\n", "hello"));
  // The path goes out as given, dot segments included.
  const std::string url = server.Url("/a/../b/./c?d=1");
  net::HttpRequestOptions options;

  EXPECT_EQ(net::HttpRequest(url, options), "hello");

  const std::string sentHeaders = "Referer: " + url + kDefaultLines;
  EXPECT_EQ(options.extraHeaders, sentHeaders);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].head,
            "GET /a/../b/./c?d=1 HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                "\r\nUser-Agent: " + std::string(net::kDefaultUserAgent) + "\r\n" + sentHeaders +
                "\r\n\r\n");
  const std::string raw = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nX-Server: raw\r\n\r\n";
  EXPECT_EQ(options.rawHeaders, raw);
  EXPECT_EQ(options.location, raw);
  EXPECT_EQ(options.receivedCookies, "");
}

TEST_F(HttpRequestTest, CallerHeadersDecideWhichDefaultsAreAdded) {
  struct Case {
    std::string extraHeaders;
    std::string sentAfter;  // the header text after the call, with {url} for the URL
    std::string agentLine;  // the one User-Agent line the server must see
  };
  const std::string defaultAgent = "User-Agent: " + std::string(net::kDefaultUserAgent);
  const Case cases[] = {
      // Default searches are exact-case: "accept:" does not stop "Accept: */*".
      {"accept: text/html", "accept: text/html\r\nReferer: {url}" + std::string(kDefaultLines),
       defaultAgent},
      // The agent search ignores case; the caller's line is what goes out.
      {"user-agent:  Probe/1.0 \r\nReferer: http://elsewhere/",
       "user-agent:  Probe/1.0 \r\nReferer: http://elsewhere/" + std::string(kDefaultLines),
       "user-agent:  Probe/1.0 "},
      {"Accept: text/plain\r\nAccept-Language: en\r\nContent-Type: text/xml\r\nReferer: r",
       "Accept: text/plain\r\nAccept-Language: en\r\nContent-Type: text/xml\r\nReferer: r",
       defaultAgent},
  };
  RawHttpServer server(Answer("HTTP/1.1 200 OK"));
  const std::string url = server.Url("/h");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extraHeaders);
    net::HttpRequestOptions options;
    options.extraHeaders = c.extraHeaders;
    net::HttpRequest(url, options);
    std::string expected = c.sentAfter;
    if (const auto at = expected.find("{url}"); at != std::string::npos) {
      expected.replace(at, 5, url);
    }
    EXPECT_EQ(options.extraHeaders, expected);
    const RecordedRequest sent = server.Requests().back();
    EXPECT_NE(sent.head.find("\r\n" + expected + "\r\n"), std::string::npos) << sent.head;
    EXPECT_EQ(sent.HeaderLines("User-Agent"), std::vector<std::string>{c.agentLine});
  }
}

TEST_F(HttpRequestTest, CookiesOmittedSuppliedEmptyAndSupplied) {
  LocalServer local;
  std::vector<std::string> seenCookies;
  local.server().Get("/set", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("Set-Cookie", "sid=abc; path=/");
    response.headers.emplace("Set-Cookie", "uid=7; path=/");
    response.set_content("set", "text/plain");
  });
  local.server().Get("/echo", [&](const httplib::Request& request, httplib::Response& response) {
    seenCookies.push_back(request.has_header("Cookie") ? request.get_header_value("Cookie")
                                                       : "(none)");
    response.set_content("echo", "text/plain");
  });

  // Omitted: the transport's own store keeps and sends them.
  net::HttpRequestOptions omitted;
  net::HttpRequest(local.Url("/set"), omitted);
  EXPECT_EQ(omitted.receivedCookies, "sid=abc; uid=7");
  EXPECT_FALSE(omitted.cookies.has_value());
  net::HttpRequest(local.Url("/echo"));
  ASSERT_EQ(seenCookies.size(), 1u);
  EXPECT_NE(seenCookies[0].find("sid=abc"), std::string::npos);
  EXPECT_NE(seenCookies[0].find("uid=7"), std::string::npos);

  // Supplied but empty: no Cookie line, and the store is left alone.
  net::HttpRequestOptions empty;
  empty.cookies = "";
  net::HttpRequest(local.Url("/echo"), empty);
  EXPECT_EQ(seenCookies.back(), "(none)");
  EXPECT_EQ(empty.cookies, "");

  // Supplied: sent as given, merged with what the response set, never stored.
  net::ClearSharedCookies();
  net::HttpRequestOptions supplied;
  supplied.cookies = "a=1; sid=old";
  net::HttpRequest(local.Url("/echo"), supplied);
  EXPECT_EQ(seenCookies.back(), "a=1; sid=old");
  net::HttpRequest(local.Url("/set"), supplied);
  EXPECT_EQ(supplied.receivedCookies, "sid=abc;uid=7");
  EXPECT_EQ(supplied.cookies, "sid=abc; uid=7; a=1");
  // The header text holds what was sent: the cookies before the merge.
  EXPECT_NE(supplied.extraHeaders.find("\r\nCookie: a=1; sid=old"), std::string::npos);
  net::HttpRequest(local.Url("/echo"));
  EXPECT_EQ(seenCookies.back(), "(none)");
}

TEST_F(HttpRequestTest, ResponseHeaderLinesGiveCookiesAndLocation) {
  struct Case {
    std::string headerLines;
    std::string receivedCookies;
    std::string location;  // empty: the raw header text
  };
  const Case cases[] = {
      {"Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n", "a=1; b=2", ""},
      // A cookie without attributes still counts.
      {"Set-Cookie: solo=1\r\n", "solo=1", ""},
      {"Content-Location: /c\r\n", "", "/c"},
      {"Location: http://one/\r\nX: y\r\nContent-Location: /two\r\n", "", "/two"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.headerLines);
    RawHttpServer server(Answer("HTTP/1.1 200 OK", c.headerLines));
    net::HttpRequestOptions options;
    net::HttpRequest(server.Url("/"), options);
    EXPECT_EQ(options.receivedCookies, c.receivedCookies);
    EXPECT_EQ(options.location, c.location.empty() ? options.rawHeaders : c.location);
  }
}

TEST_F(HttpRequestTest, KeepsResponseHeadersOfAnyLength) {
  const std::string longValue(9000, 'v');
  RawHttpServer server(
      Answer("HTTP/1.1 200 OK", "X-Long: " + longValue + "\r\nLocation: /after\r\n", "ok"));
  net::HttpRequestOptions options;
  EXPECT_EQ(net::HttpRequest(server.Url("/"), options), "ok");
  EXPECT_NE(options.rawHeaders.find(longValue + "\r\n"), std::string::npos);
  EXPECT_EQ(options.location, "/after");
}

TEST_F(HttpRequestTest, RedirectsByStatus) {
  struct Case {
    std::string statusLine;
    bool noAutoRedirect;
    std::string body;
    std::string targetPath;  // what the target server is asked for; empty: not asked
  };
  const Case cases[] = {
      // The engine follows a 301 "Moved" itself and appends the current path.
      {"HTTP/1.1 301 Moved Permanently", true, "target", "/p/q?x=1"},
      {"HTTP/1.1 301 moved", true, "target", "/p/q?x=1"},
      // Other redirects are left to the transport, which follows Location as given.
      {"HTTP/1.1 302 Found", true, "first", ""},
      {"HTTP/1.1 301 Relocated", true, "first", ""},
      {"HTTP/1.1 302 Found", false, "target", "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statusLine);
    RawHttpServer target(Answer("HTTP/1.1 200 OK", "", "target"));
    RawHttpServer first(Answer(c.statusLine, "Location: " + target.Url() + "\r\n", "first"));
    net::HttpRequestOptions options;
    options.noAutoRedirect = c.noAutoRedirect;
    EXPECT_EQ(net::HttpRequest(first.Url("/p/q?x=1"), options), c.body);
    const auto asked = target.Requests();
    if (c.targetPath.empty()) {
      EXPECT_TRUE(asked.empty());
    } else {
      ASSERT_EQ(asked.size(), 1u);
      EXPECT_EQ(asked[0].RequestLine(), "GET " + c.targetPath + " HTTP/1.1");
    }
  }
}

TEST_F(HttpRequestTest, MovedFollowUpRepeatsTheRequestWithOneMergedCookieLine) {
  RawHttpServer target(Answer("HTTP/1.1 200 OK", "Set-Cookie: c=3; path=/\r\n", "done"));
  RawHttpServer first(Answer("HTTP/1.1 301 Moved Permanently",
                             "Location: " + target.Url() + "\r\nSet-Cookie: b=2; path=/\r\n"));
  const std::string url = first.Url("/login?go=1");
  net::HttpRequestOptions options;
  options.method = 1;
  options.postText = "user=x&pass=y";
  options.cookies = "a=1";
  options.noAutoRedirect = true;

  EXPECT_EQ(net::HttpRequest(url, options), "done");

  ASSERT_EQ(target.Requests().size(), 1u);
  const RecordedRequest followUp = target.Requests()[0];
  EXPECT_EQ(followUp.RequestLine(), "POST /login?go=1 HTTP/1.1");
  EXPECT_EQ(followUp.body, "user=x&pass=y");
  EXPECT_EQ(followUp.HeaderLines("Referer"), std::vector<std::string>{"Referer: " + url});
  EXPECT_EQ(followUp.HeaderLines("Cookie"), std::vector<std::string>{"Cookie: b=2; a=1"});
  EXPECT_EQ(options.cookies, "c=3; b=2; a=1");
  EXPECT_EQ(options.receivedCookies, "c=3");
  EXPECT_EQ(options.extraHeaders, "Referer: " + url + kDefaultLines + "\r\nCookie: b=2; a=1");
  EXPECT_EQ(options.location, options.rawHeaders);
}

TEST_F(HttpRequestTest, MovedLoopStopsAfterTenFollowUps) {
  RawHttpServer* self = nullptr;
  RawHttpServer server([&self](const RecordedRequest&) {
    return HttpResponse("HTTP/1.1 301 Moved Permanently", "Location: " + self->Url() + "\r\n",
                        "loop");
  });
  self = &server;
  net::HttpRequestOptions options;
  options.noAutoRedirect = true;

  EXPECT_EQ(net::HttpRequest(server.Url("/again"), options), "loop");
  EXPECT_EQ(server.Requests().size(), 1u + net::kMaxMovedFollowUps);
  EXPECT_EQ(options.location, server.Url());
  // After a follow-up every optional parameter counts as supplied.
  EXPECT_EQ(options.cookies, "");
}

TEST_F(HttpRequestTest, MethodAndBody) {
  struct Case {
    int method;
    std::string postText;
    std::string postBytes;
    std::string requestLine;
    std::string body;
  };
  const Case cases[] = {
      {0, "ignored", "", "GET / HTTP/1.1", ""},
      {1, "text", "", "POST / HTTP/1.1", "text"},
      {1, "text", std::string("by\0tes", 6), "POST / HTTP/1.1", std::string("by\0tes", 6)},
      {1, "", "", "POST / HTTP/1.1", ""},
      {2, "query=1", "", "GET / HTTP/1.1", "query=1"},
  };
  RawHttpServer server(Answer("HTTP/1.1 200 OK"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    net::HttpRequestOptions options;
    options.method = c.method;
    options.postText = c.postText;
    options.postBytes = c.postBytes;
    net::HttpRequest(server.Url("/"), options);
    const RecordedRequest sent = server.Requests().back();
    EXPECT_EQ(sent.RequestLine(), c.requestLine);
    EXPECT_EQ(sent.body, c.body);
    EXPECT_EQ(sent.HeaderLines("Content-Length").empty(), c.method == 0);
    EXPECT_EQ(options.postBytes, c.method == 0 ? c.postBytes : c.body);
  }
}

TEST_F(HttpRequestTest, OnlyASuppliedProxyCarriesTheTraffic) {
  RawHttpServer origin(Answer("HTTP/1.1 200 OK", "", "direct"));
  RawHttpServer proxy(Answer("HTTP/1.1 200 OK", "", "via proxy"));
  const std::string proxyAddress = "127.0.0.1:" + std::to_string(proxy.port());
  net::HttpRequestOptions options;
  options.proxy = proxyAddress;

  EXPECT_EQ(net::HttpRequest(origin.Url("/x?y=1"), options), "via proxy");
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0].RequestLine(), "GET " + origin.Url("/x?y=1") + " HTTP/1.1");
  EXPECT_TRUE(origin.Requests().empty());

  // The desktop's proxy variables are not a supplied proxy.
  const std::string variable = "http://" + proxyAddress;
  for (const char* name : {"http_proxy", "all_proxy", "ALL_PROXY"}) {
    ::setenv(name, variable.c_str(), 1);
  }
  const std::string direct = net::HttpRequest(origin.Url("/x"));
  for (const char* name : {"http_proxy", "all_proxy", "ALL_PROXY"})
    ::unsetenv(name);
  EXPECT_EQ(direct, "direct");
  EXPECT_EQ(proxy.Requests().size(), 1u);
}

TEST_F(HttpRequestTest, HttpsUrlsSpeakTls) {
  RawHttpServer server(Answer("HTTP/1.1 200 OK"));
  const std::string address = "127.0.0.1:" + std::to_string(server.port()) + "/";
  for (const std::string& url : {"HTTPS://" + address, "http://" + address}) {
    SCOPED_TRACE(url);
    net::HttpRequestOptions options;
    options.transferTimeoutMs = 300;
    net::HttpRequest(url, options);
  }
  const auto received = server.Requests();
  ASSERT_EQ(received.size(), 2u);
  // A TLS handshake record begins with the byte 0x16; plain HTTP with the verb.
  EXPECT_EQ(received[0].head.substr(0, 1), "\x16");
  EXPECT_EQ(received[1].RequestLine(), "GET / HTTP/1.1");
}

TEST_F(HttpRequestTest, NothingReceivedLeavesHeadersLocationAndBodyEmpty) {
  RawHttpServer silent([](const RecordedRequest&) { return std::nullopt; });
  const std::string urls[] = {
      silent.Url("/"),
      "http://127.0.0.1:" + std::to_string(testing_support::UnusedPort()) + "/",
      // The host texts "u@127.0.0.1" and "127.0.0.%31" name no server; the transport must
      // not read them as the silent server.
      "http://u@127.0.0.1:" + std::to_string(silent.port()) + "/",
      "http://127.0.0.%31:" + std::to_string(silent.port()) + "/",
  };
  for (const std::string& url : urls) {
    SCOPED_TRACE(url);
    net::HttpRequestOptions options;
    options.transferTimeoutMs = 300;
    options.location = "stale";
    options.rawHeaders = "stale";
    options.cookies = "a=1";
    EXPECT_EQ(net::HttpRequest(url, options), "");
    EXPECT_EQ(options.rawHeaders, "");
    EXPECT_EQ(options.location, "");
    EXPECT_EQ(options.receivedCookies, "");
    EXPECT_EQ(options.cookies, "a=1");
    EXPECT_EQ(options.extraHeaders, "Referer: " + url + kDefaultLines + "\r\nCookie: a=1");
  }
  EXPECT_EQ(silent.Requests().size(), 1u);
}

TEST_F(HttpRequestTest, NumericHostFormsReachTheServer) {
  RawHttpServer server(Answer("HTTP/1.1 200 OK", "", "reached"));
  const std::string port = std::to_string(server.port());
  for (const std::string host : {"127.1", "2130706433", "0x7f.0.0.1"}) {
    SCOPED_TRACE(host);
    net::HttpRequestOptions options;
    options.transferTimeoutMs = 2000;
    EXPECT_EQ(net::HttpRequest("http://" + host + ":" + port + "/", options), "reached");
  }
}

TEST_F(HttpRequestTest, UnusableUrlChangesNothing) {
  for (const std::string url : {"http:///path", "http://127.0.0.1:70000/"}) {
    SCOPED_TRACE(url);
    net::HttpRequestOptions options;
    options.method = 1;
    options.postText = "p";
    options.extraHeaders = "X: 1";
    options.location = "kept";
    options.cookies = "a = 1";
    EXPECT_EQ(net::HttpRequest(url, options), "");
    EXPECT_EQ(options.extraHeaders, "X: 1");
    EXPECT_EQ(options.location, "kept");
    EXPECT_EQ(options.cookies, "a = 1");
    EXPECT_EQ(options.postBytes, "");
  }
}

}  // namespace
