#pragma once

#include <array>
#include <string_view>

#include "text/text.h"

namespace catalogue {

// One tab of the catalogue's tab strip: its caption (GBK), the catalogue site's category
// number it lists, and whether the region collection may walk it.
struct CategoryTab {
  std::string_view caption;
  int categoryNumber;
  bool regionCollection;
};

inline constexpr int kCategoryTabCount = 18;

// In tab order.
inline constexpr std::array<CategoryTab, kCategoryTabCount> kCategoryTabs = {{
    {"电影", 15, true},
    {"电视剧", 16, true},
    {"综艺片", 8, true},
    {"动作片", 1, true},
    {"喜剧片", 2, true},
    {"爱情片", 3, true},
    {"科幻片", 4, true},
    {"恐怖片", 5, true},
    {"剧情片", 6, true},
    {"战争片", 13, true},
    {"其他片", 14, true},
    {"国产剧", 9, false},
    {"港台剧", 10, false},
    {"欧美剧", 11, false},
    {"日韩剧", 12, false},
    {"新马泰", 17, false},
    {"漫画", 7, false},
    {"3D电影", 21, false},
}};

// The listing page `page` of a tab's category: catalogueBase + "/GvodHtml/" n ".html" for the
// first page, catalogueBase + "/GvodHtml/" n "_" page ".html" after it. A page number below 1
// gets the first page's form, since the site has no page 0. Empty text for a tab outside the
// table.
text::Text CategoryUrl(std::string_view catalogueBase, int tab, int page);

}  // namespace catalogue
