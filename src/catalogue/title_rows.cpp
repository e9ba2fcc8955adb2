#include "catalogue/title_rows.h"

#include "text/number.h"
#include "text/search.h"

namespace catalogue {
namespace {

// Listing pages hold 18 entries; numbering from 19 - k makes a full page read 1 to 18.
constexpr int kListingNumberBase = 19;

}  // namespace

TitleRow MakeTitleRow(text::Text number, const ListingEntry& entry) {
  return {std::move(number), entry.title,         entry.region,
          entry.actors,      entry.posterAddress, entry.detailAddress};
}

TitleRow ListingRow(const ListingEntry& entry, int pageOrder) {
  return MakeTitleRow(text::NumberToText(static_cast<long long>(kListingNumberBase - pageOrder)),
                      entry);
}

std::vector<TitleRow> ListingPageRows(const std::vector<ListingEntry>& entries) {
  std::vector<TitleRow> rows;
  rows.reserve(entries.size());
  for (std::size_t k = entries.size(); k >= 1; --k)
    rows.push_back(ListingRow(entries[k - 1], static_cast<int>(k)));
  return rows;
}

std::optional<TitleRow> RegionRow(const ListingEntry& entry, std::string_view regionBoxText,
                                  int rowsInList) {
  if (text::Find(entry.region, regionBoxText) == text::kNotFound) return std::nullopt;
  return MakeTitleRow(text::NumberToText(static_cast<long long>(rowsInList) + 1), entry);
}

std::vector<TitleRow> RegionRows(const std::vector<ListingEntry>& entries,
                                 std::string_view regionBoxText, int rowsInList) {
  std::vector<TitleRow> rows;
  for (const ListingEntry& entry : entries) {
    if (auto row = RegionRow(entry, regionBoxText, rowsInList)) {
      rows.push_back(std::move(*row));
      ++rowsInList;
    }
  }
  return rows;
}

}  // namespace catalogue
