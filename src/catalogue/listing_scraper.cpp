#include "catalogue/listing_scraper.h"

#include "catalogue/lazy_chain.h"
#include "text/edit.h"

namespace catalogue {
namespace {

constexpr std::string_view kListingPattern =
    "<a href=\"(.*?)\" class=\"i\"><img src=\"(.*?)\" alt=\"(.*?)\" /><em "
    "class=\"green_score\"><em class=\"fenshu\">(.*?)<sup>(.*?)</sup></em></em><em "
    "class=\"v\">(.*?)</em></a>\r\n"
    "                      <div class=\"info\">\r\n"
    "                      \t<h1 class=\"c0071bc\"><a "
    "href=\"(.*?)\">(.*?)</a><em>(.*?)</em></h1>\r\n"
    "                        <div class=\"star\"><p class=\"(.*?)\"></p></div>\r\n"
    "                        <p>主演：(.*?)</p>\r\n"
    "                        <p><b>状态：(.*?)</b><b>地区：(.*?)</b></p>";

const LazyChainPattern& CompiledListingPattern() {
  static const LazyChainPattern pattern = *LazyChainPattern::Parse(kListingPattern);
  return pattern;
}

text::Text Group(const ChainMatch& match, int number) {
  return text::Text(match.groups[static_cast<std::size_t>(number - 1)]);
}

}  // namespace

std::string_view ListingPattern() {
  return kListingPattern;
}

std::vector<ListingEntry> ScrapeListing(std::string_view page) {
  const std::string_view text = page.substr(0, page.find('\0'));
  std::vector<ListingEntry> entries;
  for (const ChainMatch& match : CompiledListingPattern().FindAll(text)) {
    entries.push_back({Group(match, kTitleGroup), Group(match, kRegionGroup),
                       Group(match, kActorsGroup), Group(match, kPosterGroup),
                       Group(match, kDetailGroup)});
  }
  return entries;
}

}  // namespace catalogue
