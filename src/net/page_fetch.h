#pragma once

#include <string>
#include <string_view>

#include "net/constants.h"

namespace net {

// One HTTP/1.0 GET of `url` as an older browser would send it, through the process-wide
// cookie store, redirects followed; the body bytes, or empty bytes when the transfer failed
// or nothing was received.
std::string FetchBody(std::string_view url, long transferTimeoutMs = kTransferTimeoutMs);

// The page fetch the catalogue and the update check are handed, so that tests can put a
// fake or a local server in its place.
class PageFetch {
 public:
  virtual ~PageFetch() = default;
  virtual std::string Fetch(std::string_view url) = 0;
};

// The real page fetch, over `FetchBody`.
class CurlPageFetch final : public PageFetch {
 public:
  explicit CurlPageFetch(long transferTimeoutMs = kTransferTimeoutMs)
      : transferTimeoutMs_(transferTimeoutMs) {}
  std::string Fetch(std::string_view url) override { return FetchBody(url, transferTimeoutMs_); }

 private:
  long transferTimeoutMs_;
};

}  // namespace net
