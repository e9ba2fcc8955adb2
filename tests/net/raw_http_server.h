#pragma once

// A minimal HTTP listener on 127.0.0.1 that records every request byte for byte and answers
// with whatever the test scripts, including answers no well-behaved server library would
// give (a status line of the test's choosing, huge headers, no answer at all).

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace testing_support {

struct RecordedRequest {
  // Request line and header lines, through the blank line; or every byte received when the
  // client closed before a blank line came.
  std::string head;
  std::string body;

  std::string RequestLine() const { return head.substr(0, head.find("\r\n")); }
  // Every header line whose name equals `name` ignoring case.
  std::vector<std::string> HeaderLines(std::string_view name) const;
};

// Full response bytes with a Content-Length for `body`; `headerLines` each end with "\r\n".
std::string HttpResponse(std::string_view statusLine, std::string_view headerLines,
                         std::string_view body);

class RawHttpServer {
 public:
  // Returns the response bytes for a request, or nothing to leave the client waiting.
  using Responder = std::function<std::optional<std::string>(const RecordedRequest&)>;

  explicit RawHttpServer(Responder responder);
  ~RawHttpServer();
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  std::string Url(std::string_view path = "") const;
  std::vector<RecordedRequest> Requests() const;

 private:
  void AcceptLoop();
  void Serve(int connection);

  Responder responder_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<RecordedRequest> requests_;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

// A port on 127.0.0.1 that nothing listens on (bound once, then released).
int UnusedPort();

}  // namespace testing_support
