#include "net/http_request.h"

#include <gtest/gtest.h>

#include <string>

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

class HttpRequestTest : public testing::Test {
 protected:
  void SetUp() override { net::ClearSharedCookies(); }
};

TEST_F(HttpRequestTest, SendsDefaultHeadersInOrderAndReportsThem) {
  RawHttpServer server(Answer("HTTP/1.1 200 OK", "X-Server: raw\r\n", "hello"));
  const std::string url = server.Url("/a/b?c=1");
  net::HttpRequestOptions options;

  EXPECT_EQ(net::HttpRequest(url, options), "hello");

  const std::string sentHeaders = "Referer: " + url + kDefaultLines;
  EXPECT_EQ(options.extraHeaders, sentHeaders);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].head,
            "GET /a/b?c=1 HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                "\r\nUser-Agent: " + std::string(net::kDefaultUserAgent) + "\r\n" + sentHeaders +
                "\r\n\r\n");
  const std::string raw = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nX-Server: raw\r\n\r\n";
  EXPECT_EQ(options.rawHeaders, raw);
  EXPECT_EQ(options.location, raw);
  EXPECT_EQ(options.receivedCookies, "");
}

}  // namespace
