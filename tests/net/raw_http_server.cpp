#include "raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace testing_support {
namespace {

constexpr int kPollMs = 20;

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

int BoundLoopbackSocket() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) throw std::runtime_error("socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    throw std::runtime_error("bind");
  }
  return fd;
}

int PortOf(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

std::size_t ContentLength(std::string_view head) {
  const std::string lower = Lower(head);
  const std::size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoul(lower.c_str() + at + 17, nullptr, 10);
}

}  // namespace

std::vector<std::string> RecordedRequest::HeaderLines(std::string_view name) const {
  std::vector<std::string> lines;
  const std::string prefix = Lower(name) + ":";
  std::size_t start = head.find("\r\n") + 2;
  while (start < head.size()) {
    const std::size_t end = head.find("\r\n", start);
    const std::string line = head.substr(start, end - start);
    if (Lower(line).starts_with(prefix)) lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

std::string HttpResponse(std::string_view statusLine, std::string_view headerLines,
                         std::string_view body) {
  std::string response(statusLine);
  response += "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
  response += headerLines;
  response += "\r\n";
  response += body;
  return response;
}

RawHttpServer::RawHttpServer(Responder responder) : responder_(std::move(responder)) {
  listener_ = BoundLoopbackSocket();
  ::listen(listener_, 16);
  port_ = PortOf(listener_);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
  stopping_ = true;
  acceptor_.join();
  for (std::thread& connection : connections_)
    connection.join();
  ::close(listener_);
}

std::string RawHttpServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<RecordedRequest> RawHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void RawHttpServer::AcceptLoop() {
  while (!stopping_) {
    pollfd waiting{listener_, POLLIN, 0};
    if (::poll(&waiting, 1, kPollMs) <= 0) continue;
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection < 0) continue;
    std::lock_guard lock(mutex_);
    connections_.emplace_back([this, connection] { Serve(connection); });
  }
}

void RawHttpServer::Serve(int connection) {
  std::string buffer;
  // Reads more bytes; false once the peer closed or the server stops.
  auto readMore = [&] {
    while (!stopping_) {
      pollfd waiting{connection, POLLIN, 0};
      if (::poll(&waiting, 1, kPollMs) <= 0) continue;
      char chunk[4096];
      const ssize_t n = ::read(connection, chunk, sizeof chunk);
      if (n <= 0) return false;
      buffer.append(chunk, static_cast<std::size_t>(n));
      return true;
    }
    return false;
  };
  while (true) {
    std::size_t headEnd;
    while ((headEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
      if (!readMore()) {
        // Bytes that never became an HTTP request head (a TLS handshake, say) are kept too.
        if (!buffer.empty()) {
          std::lock_guard lock(mutex_);
          requests_.push_back({buffer, ""});
        }
        ::close(connection);
        return;
      }
    }
    RecordedRequest request;
    request.head = buffer.substr(0, headEnd + 4);
    const std::size_t bodyLength = ContentLength(request.head);
    while (buffer.size() < request.head.size() + bodyLength) {
      if (!readMore()) break;
    }
    request.body = buffer.substr(request.head.size(), bodyLength);
    buffer.erase(0, std::min(buffer.size(), request.head.size() + bodyLength));
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    const std::optional<std::string> response = responder_(request);
    if (!response) {
      while (readMore()) {
      }
      ::close(connection);
      return;
    }
    for (std::size_t sent = 0; sent < response->size();) {
      const ssize_t n =
          ::send(connection, response->data() + sent, response->size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    const bool close = request.RequestLine().ends_with("HTTP/1.0") ||
                       Lower(*response).find("\r\nconnection: close") != std::string::npos;
    if (close) {
      ::close(connection);
      return;
    }
  }
}

int UnusedPort() {
  const int fd = BoundLoopbackSocket();
  const int port = PortOf(fd);
  ::close(fd);
  return port;
}

}  // namespace testing_support
