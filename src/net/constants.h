#pragma once

#include <string_view>

namespace net {

// Time-outs of every transfer, in milliseconds. A dead or silent server must not hold the
// calling window forever; the values are close to what desktop Internet libraries use by
// default. (Durations are plain numbers here: <chrono> does not compile as GBK.)
inline constexpr long kConnectTimeoutMs = 15'000;
inline constexpr long kTransferTimeoutMs = 60'000;

// How many "301 Moved" answers the request engine follows itself before it returns the body
// of the last one, and how many redirects the transport may follow on its own.
inline constexpr int kMaxMovedFollowUps = 10;
inline constexpr int kMaxTransportRedirects = 10;

// The request engine presents itself as this browser unless the caller names an agent.
inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 738KQ; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

// The whole-body page fetch presents itself as an older browser.
inline constexpr std::string_view kPageFetchUserAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

inline constexpr int kHttpPort = 80;
inline constexpr int kHttpsPort = 443;

}  // namespace net
