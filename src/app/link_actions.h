#pragma once

#include <functional>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/sites.h"
#include "text/text.h"

namespace app {

// The forum-login link's caption once the user has logged in; it is the login state.
inline constexpr std::string_view kLoggedInCaption = "登录成功";

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

bool IsLoggedInCaption(std::string_view caption);

text::Text ForumHomePage(const platform::Sites& sites);
text::Text WatchListPage(const platform::Sites& sites);
text::Text ApplicationPage(const platform::Sites& sites);

// "播放记录": the saved list for a logged-in user, otherwise a request to log in first.
void OpenPlayRecord(bool loggedIn, platform::Dialogs& dialogs,
                    const std::function<void()>& showSavedList);

}  // namespace app
