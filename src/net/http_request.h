#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/constants.h"
#include "text/text.h"

namespace net {

// The optional parameters of one request. Members marked "in/out" or "out" are written back
// by `HttpRequest`; a default-constructed value means every optional parameter is omitted.
struct HttpRequestOptions {
  // 1 sends "POST", any other value "GET"; every value but 0 sends a body.
  int method = 0;
  // The body as text, used only when `postBytes` is empty.
  text::Text postText;
  // in/out. Omitted: the process-wide cookie store of the transport sends and keeps cookies.
  // Supplied (even empty): that store is off, these pairs ("a=1; b=2") are sent and on return
  // this holds them merged with the cookies the response set.
  std::optional<text::Text> cookies;
  // out. The pairs the response set, joined by "; " (by ";" when `cookies` was supplied).
  text::Text receivedCookies;
  // in/out. Extra request header lines separated by "\r\n"; on return the full header text
  // that was sent, the default lines appended.
  text::Text extraHeaders;
  // out. The response's "Location:" value, or the whole raw header text when it has none.
  text::Text location;
  // True forbids the transport to follow redirects by itself.
  bool noAutoRedirect = false;
  // in/out. The body; when empty and a body is sent, it is filled with `postText`.
  std::string postBytes;
  // An HTTP proxy as host:port that carries all traffic of the call when supplied.
  std::optional<text::Text> proxy;
  // out. The raw response headers, lines ended by "\r\n", the blank line included.
  text::Text rawHeaders;
  // Bounds of each transfer; tests shorten them.
  long connectTimeoutMs = kConnectTimeoutMs;
  long transferTimeoutMs = kTransferTimeoutMs;
};

// One HTTP or HTTPS request with browser-like default headers, returning the response body
// (empty bytes on failure). "http://" is assumed for a URL without a scheme. A response
// "HTTP/1.1 301 Moved..." with a Location header is followed by the engine itself, at most
// kMaxMovedFollowUps times, to the Location value followed by the current path; after the
// first follow-up every optional parameter counts as supplied.
//
// When the request cannot even be set up (no host, a port outside 1-65535), empty bytes come
// back and no member of `options` changes. When nothing comes back (refused, time-out),
// `rawHeaders`, `location` and the body are empty.
std::string HttpRequest(std::string_view url, HttpRequestOptions& options);

// The same with every optional parameter omitted.
std::string HttpRequest(std::string_view url);

}  // namespace net
