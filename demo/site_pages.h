#pragma once

#include <string>
#include <string_view>

namespace demo {

inline constexpr char kApplicationPagePath[] = "/Apps.html";
inline constexpr char kWatchListPagePath[] = "/xlzm/djks.html";

// The application site's page of applications. Its entries open in a new window
// (target="_blank"), as the real page's do, so they exercise the client's redirect of new
// windows into its own browser box.
std::string ApplicationPage(std::string_view sampleVideoUrl);

// The application site's watch list ("what everyone is watching").
std::string WatchListPage(std::string_view sampleVideoUrl);

// The answer for any address the demo site does not serve.
std::string NotFoundPage(std::string_view path);

}  // namespace demo
