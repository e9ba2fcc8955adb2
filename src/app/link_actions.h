#pragma once

#include <string_view>

#include "platform/sites.h"
#include "text/text.h"

namespace app {

inline constexpr int kBestHeight = 665;
inline constexpr int kBestWidth = 992;
inline constexpr int kBestSizeScrollWaitMilliseconds = 300;
inline constexpr int kBestSizeHideWaitMilliseconds = 500;
inline constexpr int kScrollX = 100;
inline constexpr int kScrollY = 137;
// Start-up waits this long for the first page before touching it.
inline constexpr int kStartupPageWaitMilliseconds = 1000;
// The saved list docks this far above the bottom of the screen.
inline constexpr int kDockBottomMargin = 50;

text::Text ForumHomePage(const platform::Sites& sites);
text::Text WatchListPage(const platform::Sites& sites);
text::Text ApplicationPage(const platform::Sites& sites);

}  // namespace app
