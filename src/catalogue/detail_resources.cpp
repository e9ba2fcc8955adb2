#include "catalogue/detail_resources.h"

#include <algorithm>

#include "catalogue/pattern_helpers.h"
#include "text/edit.h"
#include "text/search.h"

namespace catalogue {
namespace {

constexpr std::string_view kIntroductionPrefix = "主演";

constexpr std::string_view kAddressListStart = "GvodUrls = \"";
constexpr std::string_view kAddressSeparator = "###";
constexpr std::string_view kAddressListEnd = "\";</script>";
constexpr std::string_view kLineBreak = "\r\n";

constexpr std::string_view kCidStart = "value=\"cid=";
constexpr std::string_view kCidEnd = "&mc=";
constexpr std::string_view kMcStart = "&mc=";
constexpr std::string_view kMcEnd = "\"/><a";

// The part of the row before the list's end, taken from the last line that holds it.
text::Text CutAtListEnd(const text::Text& row) {
  text::Text cut;
  for (const text::Text& line : text::Split(row, kLineBreak)) {
    const int end = text::Find(line, kAddressListEnd);
    if (end != text::kNotFound) cut = line.substr(0, static_cast<std::size_t>(end - 1));
  }
  return cut;
}

}  // namespace

text::Text IntroductionText(std::string_view actors) {
  text::Text introduction(kIntroductionPrefix);
  introduction += actors;
  return introduction;
}

std::vector<text::Text> FirstKindResources(std::string_view detailPage) {
  std::vector<text::Text> rows = CollectBetween(detailPage, kAddressSeparator, kAddressSeparator);
  std::reverse(rows.begin(), rows.end());
  rows.push_back(text::TextBetween(detailPage, kAddressListStart, kAddressSeparator));
  std::erase_if(rows, [](const text::Text& row) { return row.empty(); });
  for (text::Text& row : rows) {
    if (text::Find(row, kAddressListEnd) != text::kNotFound) row = CutAtListEnd(row);
  }
  return rows;
}

SecondKindStep SecondKindStepFor(bool doubleResourcesChecked, std::size_t firstKindRows) {
  if (firstKindRows == 0) return SecondKindStep::kAddAfterMissingNotice;
  return doubleResourcesChecked ? SecondKindStep::kAddAfterLoginNotice : SecondKindStep::kNone;
}

void AddSecondKind(std::vector<text::Text>& rows, std::string_view detailPage,
                   std::string_view resourceBase) {
  const std::vector<text::Text> cids = ExtractAllBetween(detailPage, kCidStart, kCidEnd);
  rows.insert(rows.begin(), cids.begin(), cids.end());
  const std::vector<text::Text> mcs = ExtractAllBetween(detailPage, kMcStart, kMcEnd);
  for (std::size_t k = 0; k < mcs.size() && k < rows.size(); ++k) {
    text::Text address(resourceBase);
    address += rows[k];
    address += '/';
    address += mcs[k];
    rows[k] = std::move(address);
  }
}

}  // namespace catalogue
