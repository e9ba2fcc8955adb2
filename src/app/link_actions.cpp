#include "app/link_actions.h"

namespace app {
namespace {

constexpr std::string_view kForumHomePath = "forum.php";
constexpr std::string_view kWatchListPath = "/xlzm/djks.html";
constexpr std::string_view kApplicationPath = "/Apps.html";
constexpr std::string_view kLogInFirst = "请先登录论坛";

}  // namespace

bool IsLoggedInCaption(std::string_view caption) {
  return caption == kLoggedInCaption;
}

text::Text ForumHomePage(const platform::Sites& sites) {
  return sites.forumBase + text::Text(kForumHomePath);
}

text::Text WatchListPage(const platform::Sites& sites) {
  return sites.applicationSite + text::Text(kWatchListPath);
}

text::Text ApplicationPage(const platform::Sites& sites) {
  return sites.applicationSite + text::Text(kApplicationPath);
}

void OpenPlayRecord(bool loggedIn, platform::Dialogs& dialogs,
                    const std::function<void()>& showSavedList) {
  if (loggedIn) {
    if (showSavedList) showSavedList();
    return;
  }
  dialogs.ShowMessage(kLogInFirst, platform::kInformationIcon);
}

}  // namespace app
