#include "catalogue/pattern_helpers.h"

#include <array>
#include <utility>

#include "catalogue/script_regex.h"
#include "text/edit.h"
#include "text/search.h"

namespace catalogue {
namespace {

// Applied one after the other, in this order.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kMarkerEscapes = {{
    {"?", "\\?"},
    {"*", "\\*"},
    {"+", "\\+"},
    {"[", "\\["},
    {"]", "\\]"},
    {"(", "\\("},
    {")", "\\)"},
    {"{", "\\{"},
    {"}", "\\}"},
    {"#引号", "\""},
    {"\r\n", "\\n"},
}};

constexpr std::string_view kAnyPiece = "([\\s\\S]*?)";

}  // namespace

text::Text EscapeMarker(std::string_view marker) {
  text::Text escaped(marker);
  for (const auto& [from, to] : kMarkerEscapes)
    escaped = text::ReplaceAll(escaped, from, to);
  return escaped;
}

std::vector<text::Text> ExtractAllBetween(std::string_view source, std::string_view leftMarker,
                                          std::string_view rightMarker) {
  text::Text pattern = EscapeMarker(leftMarker);
  pattern += kAnyPiece;
  pattern += EscapeMarker(rightMarker);
  ScriptRegex regex;
  std::vector<text::Text> pieces;
  if (!regex.Execute(pattern, source)) return pieces;
  for (int i = 1; i <= regex.MatchCount(); ++i)
    pieces.push_back(regex.SubMatchText(i, 1));
  return pieces;
}

std::vector<text::Text> CollectBetween(std::string_view source, std::string_view leftMarker,
                                       std::string_view rightMarker) {
  constexpr bool kIgnoreCase = true;
  std::vector<text::Text> pieces;
  // An empty left marker is found at the start of every search and would never move on.
  if (leftMarker.empty()) return pieces;
  int searchFrom = 1;
  while (true) {
    const int left = text::Find(source, leftMarker, searchFrom, kIgnoreCase);
    if (left == text::kNotFound) return pieces;
    const int pieceStart = left + static_cast<int>(leftMarker.size());
    // The right marker is looked for from one byte after the piece's start, so a piece is
    // never empty before trimming.
    const int right = text::Find(source, rightMarker, pieceStart + 1, kIgnoreCase);
    if (right == text::kNotFound) return pieces;
    text::Text piece = text::Trim(text::Mid(source, pieceStart, right - pieceStart));
    if (piece.empty()) return pieces;
    pieces.push_back(std::move(piece));
    searchFrom = right;
  }
}

}  // namespace catalogue
