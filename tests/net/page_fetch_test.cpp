#include "net/page_fetch.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <string>
#include <thread>

#include "net/constants.h"
#include "net/curl_session.h"
#include "net/http_request.h"
#include "raw_http_server.h"

namespace {

using testing_support::HttpResponse;
using testing_support::RawHttpServer;
using testing_support::RecordedRequest;

class PageFetchTest : public testing::Test {
 protected:
  void SetUp() override {
    net::ClearSharedCookies();
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running())
      std::this_thread::yield();
  }
  void TearDown() override {
    server_.stop();
    thread_.join();
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

TEST_F(PageFetchTest, SendsAnHttp10GetAndReturnsEveryBodyByte) {
  const std::string body("page\0with zero", 14);
  RawHttpServer raw(
      [&](const RecordedRequest&) { return HttpResponse("HTTP/1.0 200 OK", "", body); });

  EXPECT_EQ(net::FetchBody(raw.Url("/list?p=2")), body);

  ASSERT_EQ(raw.Requests().size(), 1u);
  EXPECT_EQ(raw.Requests()[0].head,
            "GET /list?p=2 HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(raw.port()) +
                "\r\nUser-Agent: " + std::string(net::kPageFetchUserAgent) +
                "\r\nAccept: */*\r\n\r\n");

  // Blanks in a scraped address go out escaped instead of failing the fetch.
  EXPECT_EQ(net::FetchBody(raw.Url("/a b.jpg?q=c d")), body);
  ASSERT_EQ(raw.Requests().size(), 2u);
  EXPECT_EQ(raw.Requests()[1].RequestLine(), "GET /a%20b.jpg?q=c%20d HTTP/1.0");
}

TEST_F(PageFetchTest, SharesTheCookieStoreWithTheRequestEngine) {
  server_.Get("/login", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("Set-Cookie", "auth=ok; path=/");
    response.set_content("welcome", "text/plain");
  });
  server_.Get("/page", [](const httplib::Request& request, httplib::Response& response) {
    response.set_header("Set-Cookie", "seen=1; path=/");
    response.set_content(request.get_header_value("Cookie"), "text/plain");
  });

  EXPECT_EQ(net::HttpRequest(Url("/login")), "welcome");
  EXPECT_EQ(net::FetchBody(Url("/page")), "auth=ok");
  // And the other way round: what a fetched page set goes out with the next request.
  EXPECT_NE(net::HttpRequest(Url("/page")).find("seen=1"), std::string::npos);
}

TEST_F(PageFetchTest, BodiesOfRedirectsErrorsAndFailures) {
  server_.Get("/old", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/new");
  });
  server_.Get("/new", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("new page", "text/html");
  });
  server_.Get("/empty",
              [](const httplib::Request&, httplib::Response& response) { response.status = 204; });
  server_.Get("/gone", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("not here", "text/html");
  });
  RawHttpServer silent([](const RecordedRequest&) { return std::nullopt; });
  const std::string refused =
      "http://127.0.0.1:" + std::to_string(testing_support::UnusedPort()) + "/";

  const std::pair<std::string, std::string> cases[] = {
      {Url("/old"), "new page"}, {Url("/empty"), ""}, {Url("/gone"), "not here"}, {refused, ""},
      {silent.Url("/"), ""},
  };
  net::CurlPageFetch fetch(300);
  net::PageFetch& pages = fetch;
  for (const auto& [url, body] : cases)
    EXPECT_EQ(pages.Fetch(url), body) << url;
}

}  // namespace
