#include "catalogue/pattern_helpers.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "catalogue/script_regex.h"
#include "catalogue/wide_text.h"
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

// The characters an escaped marker writes with a backslash to mean themselves, and the
// characters that are pattern syntax when they stand alone.
constexpr std::wstring_view kEscapedLiterals = L"?*+[](){}";
constexpr std::wstring_view kSyntax = L"\\.^$|?*+[](){}";

// The text an escaped marker matches when it is literal text only, which is the case for
// every marker the catalogue passes; empty when pattern syntax remains in it.
std::optional<std::wstring> LiteralText(std::wstring_view escaped) {
  std::wstring literal;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const wchar_t c = escaped[i];
    if (c == L'\\' && i + 1 < escaped.size()) {
      const wchar_t next = escaped[++i];
      if (next == L'n') {
        literal += L'\n';
      } else if (kEscapedLiterals.find(next) != std::wstring_view::npos) {
        literal += next;
      } else {
        return std::nullopt;
      }
    } else if (kSyntax.find(c) != std::wstring_view::npos) {
      return std::nullopt;
    } else {
      literal += c;
    }
  }
  return literal;
}

// Literal markers around a lazy piece need no regular-expression engine: each piece ends at
// the first right marker after its left marker, and once a left marker has no right marker
// after it no later one has. This takes linear time where a backtracking engine, retrying
// every unclosed left marker up to the end of the page, takes quadratic time.
std::vector<text::Text> LiteralPieces(std::string_view source, const std::wstring& left,
                                      const std::wstring& right) {
  const std::wstring subject = GbkToWide(source);
  const std::wstring folded = FoldCaseAsScriptRegex(subject);
  const std::wstring foldedLeft = FoldCaseAsScriptRegex(left);
  const std::wstring foldedRight = FoldCaseAsScriptRegex(right);
  std::vector<text::Text> pieces;
  std::size_t from = 0;
  while (true) {
    const std::size_t leftAt = folded.find(foldedLeft, from);
    if (leftAt == std::wstring::npos) return pieces;
    const std::size_t pieceStart = leftAt + foldedLeft.size();
    const std::size_t rightAt = folded.find(foldedRight, pieceStart);
    if (rightAt == std::wstring::npos) return pieces;
    pieces.push_back(
        WideToGbk(std::wstring_view(subject).substr(pieceStart, rightAt - pieceStart)));
    from = rightAt + foldedRight.size();
  }
}

}  // namespace

text::Text EscapeMarker(std::string_view marker) {
  text::Text escaped(marker);
  for (const auto& [from, to] : kMarkerEscapes)
    escaped = text::ReplaceAll(escaped, from, to);
  return escaped;
}

std::vector<text::Text> ExtractAllBetween(std::string_view source, std::string_view leftMarker,
                                          std::string_view rightMarker) {
  const text::Text left = EscapeMarker(leftMarker);
  const text::Text right = EscapeMarker(rightMarker);
  const auto literalLeft = LiteralText(GbkToWide(left));
  const auto literalRight = LiteralText(GbkToWide(right));
  // Two empty markers would match the empty text everywhere; the engine handles that case.
  if (literalLeft && literalRight && !(literalLeft->empty() && literalRight->empty()))
    return LiteralPieces(source, *literalLeft, *literalRight);

  text::Text pattern = left;
  pattern += kAnyPiece;
  pattern += right;
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
