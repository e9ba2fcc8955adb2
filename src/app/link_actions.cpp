#include "app/link_actions.h"

namespace app {
namespace {

constexpr std::string_view kForumHomePath = "forum.php";
constexpr std::string_view kWatchListPath = "/xlzm/djks.html";
constexpr std::string_view kApplicationPath = "/Apps.html";

}  // namespace

text::Text ForumHomePage(const platform::Sites& sites) {
  return sites.forumBase + text::Text(kForumHomePath);
}

text::Text WatchListPage(const platform::Sites& sites) {
  return sites.applicationSite + text::Text(kWatchListPath);
}

text::Text ApplicationPage(const platform::Sites& sites) {
  return sites.applicationSite + text::Text(kApplicationPath);
}

}  // namespace app
