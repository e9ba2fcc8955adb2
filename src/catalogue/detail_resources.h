#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace catalogue {

// The introduction panel's text for a title: "主演" followed by its actors, no separator.
text::Text IntroductionText(std::string_view actors);

// The ready-made addresses a detail page lists after "GvodUrls = \"", separated by "###", as
// resource list rows from the top: reverse page order, the first address at the bottom, empty
// rows removed, and a row that ran past the list's closing "\";</script>" cut there. The last
// address is only collected when another "###" follows later on the page.
std::vector<text::Text> FirstKindResources(std::string_view detailPage);

// What follows the first kind, decided by the "double resources" check box and the rows found.
enum class SecondKindStep {
  kNone,                   // rows found, box unchecked
  kAddAfterLoginNotice,    // rows found, box checked: show kLoggedInNotice, then add
  kAddAfterMissingNotice,  // no rows: show kNoReadyResourcesNotice, clear the list, then add
};
SecondKindStep SecondKindStepFor(bool doubleResourcesChecked, std::size_t firstKindRows);

inline constexpr std::string_view kNoReadyResourcesNotice =
    "未获取到现成迅雷下载资源，正在为您解析其播放地址，请稍稍等待一会。";
// How long the notice stays, in milliseconds (the window keeps processing events meanwhile).
inline constexpr int kNoReadyResourcesNoticeMilliseconds = 300;
inline constexpr std::string_view kLoggedInNotice = "检测到您是登录用户正在为您获取另一种资源。";
inline constexpr int kLoggedInNoticeMilliseconds = 500;

// Puts the page's cid values on top of `rows` in page order, then turns row k (from the top)
// into resourceBase + its text + "/" + the k-th mc value, for as many rows as there are mc
// values. With as many mc values as cids each cid row holds the address of its own pair and
// the rows below stay as they were.
void AddSecondKind(std::vector<text::Text>& rows, std::string_view detailPage,
                   std::string_view resourceBase);

}  // namespace catalogue
