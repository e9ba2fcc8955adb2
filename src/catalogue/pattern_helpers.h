#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace catalogue {

// Makes a marker match itself in a ScriptRegex pattern, mostly: a backslash goes before
// "?", "*", "+", "[", "]", "(", ")", "{" and "}"; "#引号" becomes a double quote and CRLF the
// two characters "\n", so a marker written over two lines matches a bare line feed. Other
// characters keep their meaning: "." still matches any character but a line feed.
text::Text EscapeMarker(std::string_view marker);

// Every piece between `leftMarker` and the nearest `rightMarker` after it, in page order,
// ignoring the letter case of the markers; pieces may span lines and may be empty. A left
// marker with no right marker after it gives nothing. Literal markers (all the catalogue
// passes) are matched in linear time without the regular-expression engine, with the same
// result.
std::vector<text::Text> ExtractAllBetween(std::string_view source, std::string_view leftMarker,
                                          std::string_view rightMarker);

// Walks a marker-separated list by plain text search, ASCII case ignored: each right marker
// also serves as the next left marker, and the walk ends at the first piece that is empty
// once blanks are trimmed from its ends. So the piece before the first marker is never
// collected, and the piece after the last one only when another right marker follows later.
std::vector<text::Text> CollectBetween(std::string_view source, std::string_view leftMarker,
                                       std::string_view rightMarker);

}  // namespace catalogue
