#pragma once

#include <string_view>
#include <vector>

#include "catalogue/title_rows.h"
#include "text/text.h"

namespace catalogue {

// The search words as the site's search page expects them: each apostrophe becomes "’", then
// the text is decoded from GBK and written with ECMAScript's escape(): A-Z a-z 0-9 and
// "@*_+-./" stay, other UTF-16 code units below 0x100 become "%XX", the rest "%uXXXX", with
// upper-case hexadecimal digits. The result is plain ASCII.
text::Text EscapeSearchWords(std::string_view words);

// catalogueBase + "/search.asp?page=" page "&searchword=" escaped words "&searchtype=-1".
text::Text SearchUrl(std::string_view catalogueBase, int page, std::string_view words);

// The site's front server answers with this page instead of results now and then; such a
// reply is asked for again, never shown.
bool IsFrontServerErrorPage(std::string_view reply);

// The five kinds of piece a search reply is read into, each in page order.
struct SearchPieces {
  std::vector<text::Text> detailAddresses;  // make the rows
  std::vector<text::Text> titles;
  std::vector<text::Text> posterAddresses;
  std::vector<text::Text> actors;
  std::vector<text::Text> regions;
};

SearchPieces ReadSearchPieces(std::string_view reply);

// One row per detail address, numbered 1, 2, 3 ... in page order (top first); the other
// pieces fill their column row by row. A piece beyond the last row is dropped; a row without
// a piece keeps that column empty.
std::vector<TitleRow> SearchResultRows(const SearchPieces& pieces);

}  // namespace catalogue
