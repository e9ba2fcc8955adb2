#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace text {

// Forward search stepping over two-byte characters: the trail byte of a character is never a
// candidate. `ignoreCase` folds only the ASCII capitals A-Z. Returns a 1-based position or -1.
int Find(std::string_view text, std::string_view sub, int startPosition = 1,
         bool ignoreCase = false);

// The bytes strictly between the first `leftMarker` and the next `rightMarker` after it, or
// empty text when either is missing. "#引号" in a marker stands for one double quote.
Text TextBetween(std::string_view source, std::string_view leftMarker, std::string_view rightMarker,
                 int startPosition = 0, bool caseSensitive = false);

// Replaces every occurrence of `from` found on character boundaries, scanning left to right.
Text ReplaceAll(std::string_view source, std::string_view from, std::string_view to);

// Splits at every occurrence of `separator`. Leading and doubled separators give empty
// members; a trailing one adds none; an empty text gives no members.
std::vector<Text> Split(std::string_view source, std::string_view separator);

}  // namespace text
