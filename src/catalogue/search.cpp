#include "catalogue/search.h"

#include <array>

#include "catalogue/pattern_helpers.h"
#include "catalogue/wide_text.h"
#include "text/number.h"
#include "text/search.h"

namespace catalogue {
namespace {

constexpr std::string_view kApostrophe = "'";
// U+2019, so an apostrophe cannot end the words early wherever they are quoted.
constexpr std::string_view kRightSingleQuote = "’";
constexpr std::string_view kUnescaped =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789@*_+-./";
constexpr char kHexDigits[] = "0123456789ABCDEF";

constexpr std::string_view kSearchPath = "/search.asp?page=";
constexpr std::string_view kSearchWordsKey = "&searchword=";
constexpr std::string_view kSearchTypeAll = "&searchtype=-1";

constexpr std::string_view kFrontServerError = "您所请求的网址（URL）无法获取";

struct PieceMarkers {
  std::string_view left;
  std::string_view right;
};
constexpr PieceMarkers kDetailMarkers = {"<li> <a href=\"", "\" class=\"i\"><img src="};
constexpr PieceMarkers kTitleMarkers = {"alt=\"", "\" /><em class="};
constexpr PieceMarkers kPosterMarkers = {"img src=\"", "\" alt="};
constexpr PieceMarkers kActorsMarkers = {"<p>主演：", "</p>"};
constexpr PieceMarkers kRegionMarkers = {"<b>地区：", "</b></p>"};

void AppendCodeUnit(text::Text& out, char16_t unit) {
  if (unit < 0x80 && kUnescaped.find(static_cast<char>(unit)) != std::string_view::npos) {
    out.push_back(static_cast<char>(unit));
  } else if (unit < 0x100) {
    out.push_back('%');
    out.push_back(kHexDigits[unit >> 4]);
    out.push_back(kHexDigits[unit & 0xF]);
  } else {
    out += "%u";
    for (int shift = 12; shift >= 0; shift -= 4)
      out.push_back(kHexDigits[(unit >> shift) & 0xF]);
  }
}

std::vector<text::Text> Pieces(std::string_view reply, PieceMarkers markers) {
  return ExtractAllBetween(reply, markers.left, markers.right);
}

void FillColumn(std::vector<TitleRow>& rows, const std::vector<text::Text>& pieces,
                TitleColumn column) {
  for (std::size_t k = 0; k < pieces.size() && k < rows.size(); ++k)
    rows[k][column] = pieces[k];
}

}  // namespace

text::Text EscapeSearchWords(std::string_view words) {
  const std::wstring decoded = GbkToWide(text::ReplaceAll(words, kApostrophe, kRightSingleQuote));
  text::Text escaped;
  for (wchar_t c : decoded) {
    const auto code = static_cast<char32_t>(c);
    if (code >= 0x10000) {
      const char32_t offset = code - 0x10000;
      AppendCodeUnit(escaped, static_cast<char16_t>(0xD800 + (offset >> 10)));
      AppendCodeUnit(escaped, static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    } else {
      AppendCodeUnit(escaped, static_cast<char16_t>(code));
    }
  }
  return escaped;
}

text::Text SearchUrl(std::string_view catalogueBase, int page, std::string_view words) {
  text::Text url(catalogueBase);
  url += kSearchPath;
  url += text::NumberToText(static_cast<long long>(page));
  url += kSearchWordsKey;
  url += EscapeSearchWords(words);
  url += kSearchTypeAll;
  return url;
}

bool IsFrontServerErrorPage(std::string_view reply) {
  return text::Find(reply, kFrontServerError) != text::kNotFound;
}

SearchPieces ReadSearchPieces(std::string_view reply) {
  return {Pieces(reply, kDetailMarkers), Pieces(reply, kTitleMarkers),
          Pieces(reply, kPosterMarkers), Pieces(reply, kActorsMarkers),
          Pieces(reply, kRegionMarkers)};
}

std::vector<TitleRow> SearchResultRows(const SearchPieces& pieces) {
  std::vector<TitleRow> rows(pieces.detailAddresses.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    rows[k][kNumberColumn] = text::NumberToText(static_cast<long long>(k + 1));
    rows[k][kAddressColumn] = pieces.detailAddresses[k];
  }
  FillColumn(rows, pieces.titles, kTitleColumn);
  FillColumn(rows, pieces.posterAddresses, kPosterColumn);
  FillColumn(rows, pieces.actors, kActorsColumn);
  FillColumn(rows, pieces.regions, kRegionColumn);
  return rows;
}

}  // namespace catalogue
