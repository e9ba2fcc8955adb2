#include "catalogue/categories.h"

#include "text/number.h"

namespace catalogue {
namespace {

constexpr std::string_view kListingFolder = "/GvodHtml/";
constexpr std::string_view kListingSuffix = ".html";

}  // namespace

text::Text CategoryUrl(std::string_view catalogueBase, int tab, int page) {
  if (tab < 0 || tab >= kCategoryTabCount) return {};
  text::Text url(catalogueBase);
  url += kListingFolder;
  url += text::NumberToText(
      static_cast<long long>(kCategoryTabs[static_cast<std::size_t>(tab)].categoryNumber));
  if (page > 1) {
    url += '_';
    url += text::NumberToText(static_cast<long long>(page));
  }
  url += kListingSuffix;
  return url;
}

}  // namespace catalogue
