#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "catalogue/listing_scraper.h"
#include "text/text.h"

namespace catalogue {

// The title list's columns, in list order.
enum TitleColumn : int {
  kNumberColumn = 0,
  kTitleColumn = 1,
  kRegionColumn = 2,
  kActorsColumn = 3,
  kPosterColumn = 4,
  kAddressColumn = 5,
};
inline constexpr int kTitleColumnCount = 6;

struct TitleColumnLayout {
  std::string_view header;  // GBK
  int width;                // pixels; the address column is kept out of sight
};
inline constexpr std::array<TitleColumnLayout, kTitleColumnCount> kTitleColumns = {{
    {"序号", 40},
    {"名称", 90},
    {"地区", 50},
    {"主演", 120},
    {"图片", 112},
    {"地址", 0},
}};

// One row of the title list, column by column.
using TitleRow = std::array<text::Text, kTitleColumnCount>;

TitleRow MakeTitleRow(text::Text number, const ListingEntry& entry);

// A listing page is shown by inserting each entry in page order at the top of the emptied
// list, the k-th (from 1) numbered 19 - k, so a full page of 18 reads 1 to 18 downwards with
// the page's last entry on top.
TitleRow ListingRow(const ListingEntry& entry, int pageOrder);

// The list as it stands after all of a page's insertions, top row first.
std::vector<TitleRow> ListingPageRows(const std::vector<ListingEntry>& entries);

// The region collection keeps an entry when its region holds the region box's text (plain
// byte containment); the kept row goes on top, numbered one more than the rows already in the
// list, so numbers keep counting across pages. Empty when the entry is left out.
std::optional<TitleRow> RegionRow(const ListingEntry& entry, std::string_view regionBoxText,
                                  int rowsInList);

// The rows one page adds to a list of `rowsInList` rows, in insertion order (each goes on
// top), with the region box text held fixed for the whole page.
std::vector<TitleRow> RegionRows(const std::vector<ListingEntry>& entries,
                                 std::string_view regionBoxText, int rowsInList);

}  // namespace catalogue
