#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace catalogue {

// The regular expression (Perl syntax) that cuts one title entry out of a listing page: six
// lines of the site's markup joined by CRLF, with thirteen lazy groups. The runs of spaces and
// the tab before the heading are the site's own indentation; a page indented otherwise gives
// no match.
std::string_view ListingPattern();

// The groups of an entry that the title list shows.
struct ListingEntry {
  text::Text title;          // group 3, the poster's alt text
  text::Text region;         // group 13, after "地区："
  text::Text actors;         // group 11, after "主演："
  text::Text posterAddress;  // group 2, the img src
  text::Text detailAddress;  // group 7, the heading's link, relative to the catalogue site

  bool operator==(const ListingEntry&) const = default;
};

// The listing pattern's group numbers (from 1) for the fields above.
inline constexpr int kTitleGroup = 3;
inline constexpr int kRegionGroup = 13;
inline constexpr int kActorsGroup = 11;
inline constexpr int kPosterGroup = 2;
inline constexpr int kDetailGroup = 7;

// Every entry of a listing page, in page order: all non-overlapping matches of the listing
// pattern, in the page cut at its first zero byte. An entry whose markup deviates is not
// matched on its own but merges with the entry after it, its groups mixing the two. Takes
// time linear in the page and cannot fail.
std::vector<ListingEntry> ScrapeListing(std::string_view page);

}  // namespace catalogue
