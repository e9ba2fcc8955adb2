#include "catalogue/script_regex.h"

#include <boost/regex.hpp>
#include <locale>

#include "catalogue/wide_text.h"
#include "text/search.h"

namespace catalogue {
namespace {

constexpr std::string_view kQuoteToken = "#引号";

// Classes ("\w", "\s", "\b") and case folding come from the engine's locale. The script
// dialect's classes are ASCII, which the classic locale gives; fixing it keeps a program-wide
// locale (one whose "\w" takes in every Chinese character) from changing what patterns mean.
const std::locale& EngineLocale() {
  static const std::locale classic = std::locale::classic();
  return classic;
}

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

bool HexDigitsAt(std::wstring_view pattern, std::size_t at, std::size_t count) {
  if (at + count > pattern.size()) return false;
  for (std::size_t k = 0; k < count; ++k) {
    if (!IsHexDigit(pattern[at + k])) return false;
  }
  return true;
}

bool IsAsciiLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// The escape at pattern[i] (a backslash with a character after it) in Boost's syntax; returns
// the index of the escape's last character. The script dialect knows fewer escapes than Perl:
// "\uXXXX" is a character there, and a backslash before a letter it gives no meaning ("\A",
// "\h", "\e", "\Q" ...) or before "<", ">", "`" and "'" stands for that character itself,
// where Boost would read an anchor, a class or a quoting switch.
std::size_t TranslateEscape(std::wstring_view pattern, std::size_t i, bool inClass,
                            std::size_t groupCount, std::wstring& out) {
  constexpr std::wstring_view kSharedLetterEscapes = L"dDwWsSbBnrtf";
  constexpr std::wstring_view kPlainInBoost = L"<>`'";
  const wchar_t c = pattern[i + 1];
  if (!inClass && c >= L'1' && c <= L'9') {
    // A back reference to a group that took no part in the match matches the empty text in
    // the script dialect, where Boost's fails. The group number takes as many digits as name
    // an existing group.
    std::size_t last = i + 1;
    std::size_t group = 0;
    while (last < pattern.size() && pattern[last] >= L'0' && pattern[last] <= L'9') {
      const std::size_t longer = group * 10 + static_cast<std::size_t>(pattern[last] - L'0');
      if (longer > groupCount) break;
      group = longer;
      ++last;
    }
    if (group >= 1) {
      const std::wstring number = std::to_wstring(group);
      out += L"(?(" + number + L")\\" + number + L")";
      return last - 1;
    }
  }
  if (c == L'u' && HexDigitsAt(pattern, i + 2, 4)) {
    out += L"\\x{";
    out += pattern.substr(i + 2, 4);
    out += L'}';
    return i + 5;
  }
  if (c == L'x' && HexDigitsAt(pattern, i + 2, 2)) {
    out += pattern.substr(i, 4);
    return i + 3;
  }
  if (c == L'c' && i + 2 < pattern.size() && IsAsciiLetter(pattern[i + 2])) {
    out += pattern.substr(i, 3);
    return i + 2;
  }
  if (c == L'v') {
    out += L"\\x0B";  // a vertical tab; Boost's "\v" is any vertical space
  } else if (inClass && c == L'b') {
    out += L"\\x08";  // a backspace inside brackets
  } else if ((c >= L'0' && c <= L'9') || kSharedLetterEscapes.find(c) != std::wstring_view::npos) {
    out += L'\\';
    out += c;
  } else if (IsAsciiLetter(c) || kPlainInBoost.find(c) != std::wstring_view::npos || c >= 0x80) {
    out += c;
  } else {
    out += L'\\';
    out += c;
  }
  return i + 1;
}

// The number of capturing groups: opening parentheses outside brackets not followed by "?".
std::size_t CapturingGroupCount(std::wstring_view pattern) {
  std::size_t count = 0;
  bool inClass = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'\\') {
      ++i;
    } else if (inClass) {
      inClass = c != L']';
    } else if (c == L'[') {
      // "[]" and "[^]" are complete classes; any other "[" opens one.
      if (pattern.substr(i, 2) == L"[]") {
        ++i;
      } else if (pattern.substr(i, 3) == L"[^]") {
        i += 2;
      } else {
        inClass = true;
      }
    } else if (c == L'(' && (i + 1 == pattern.size() || pattern[i + 1] != L'?')) {
      ++count;
    }
  }
  return count;
}

// Rewrites the script dialect into Boost's Perl syntax where the two differ: Boost's "." and
// its multiline anchors also stop at carriage returns and form feeds, which the script
// dialect does not do for "."; the dialect's escapes are narrower (above); and its brackets
// follow the script rules, where "[]" matches nothing, "[^]" any character and "[" inside
// brackets only itself, while in Perl a "]" right after the opening bracket would be a member
// and "[:" would open a named class.
std::wstring ToBoostSyntax(std::wstring_view pattern, bool multiline) {
  const std::size_t groupCount = CapturingGroupCount(pattern);
  std::wstring out;
  out.reserve(pattern.size() + 16);
  bool inClass = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'\\' && i + 1 < pattern.size()) {
      i = TranslateEscape(pattern, i, inClass, groupCount, out);
      continue;
    }
    if (inClass) {
      if (c == L']') inClass = false;
      // A "[" inside brackets is a member, never the start of a Perl "[:alpha:]" class.
      if (c == L'[') out += L'\\';
      out += c;
      continue;
    }
    switch (c) {
      case L'[':
        if (pattern.substr(i, 2) == L"[]") {
          out += L"(?!)";
          ++i;
        } else if (pattern.substr(i, 3) == L"[^]") {
          out += L"[\\s\\S]";
          i += 2;
        } else {
          inClass = true;
          out += c;
        }
        break;
      case L'.':
        out += L"[^\\n]";
        break;
      case L'^':
        out += multiline ? L"(?:\\A|(?<=[\\n\\r]))" : L"\\A";
        break;
      case L'$':
        out += multiline ? L"(?=[\\n\\r]|\\z)" : L"\\z";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The text that replaces one match, by the script dialect's rules: "$1" to "$99" a group
// (two digits when that group exists), "$&" the match, "$`" and "$'" the subject before and
// after it, "$$" a dollar sign; anything else, backslashes included, stands for itself.
std::wstring ScriptReplacement(const boost::wsmatch& match, const std::wstring& subject,
                               std::wstring_view replacement) {
  const auto isDigit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
  const std::size_t groupCount = match.size() - 1;
  std::wstring out;
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const wchar_t c = replacement[i];
    if (c != L'$' || i + 1 == replacement.size()) {
      out += c;
      continue;
    }
    const wchar_t next = replacement[i + 1];
    if (next == L'$') {
      out += L'$';
      ++i;
    } else if (next == L'&') {
      out += match[0].str();
      ++i;
    } else if (next == L'`') {
      out.append(subject.cbegin(), match[0].first);
      ++i;
    } else if (next == L'\'') {
      out.append(match[0].second, subject.cend());
      ++i;
    } else if (isDigit(next)) {
      std::size_t group = static_cast<std::size_t>(next - L'0');
      std::size_t digits = 1;
      if (i + 2 < replacement.size() && isDigit(replacement[i + 2])) {
        const std::size_t two = group * 10 + static_cast<std::size_t>(replacement[i + 2] - L'0');
        if (two >= 1 && two <= groupCount) {
          group = two;
          digits = 2;
        }
      }
      if (group >= 1 && group <= groupCount) {
        if (match[static_cast<int>(group)].matched) out += match[static_cast<int>(group)].str();
        i += digits;
      } else {
        out += c;
      }
    } else {
      out += c;
    }
  }
  return out;
}

// Visits the matches of `regex` in `subject` from left to right as the script engine finds
// them: each search begins where the previous match ended, or one character further on after
// an empty match. (Boost's iterator would instead look for a non-empty match at the same
// place first, giving patterns that can match empty text extra matches.) Only the first with
// `global` unset. May throw when the engine gives up.
template <typename Visit>
void ForEachScriptMatch(const std::wstring& subject, const boost::wregex& regex, bool global,
                        Visit visit) {
  const auto begin = subject.cbegin();
  const auto end = subject.cend();
  auto from = begin;
  boost::wsmatch match;
  while (true) {
    boost::regex_constants::match_flag_type flags = boost::regex_constants::match_default;
    if (from != begin) flags = flags | boost::regex_constants::match_prev_avail;
    if (!boost::regex_search(from, end, match, regex, flags, begin)) return;
    visit(match);
    if (!global) return;
    from = match[0].second;
    if (match[0].first == match[0].second) {
      if (from == end) return;
      ++from;
    }
  }
}

}  // namespace

struct ScriptRegex::Compiled {
  boost::wregex regex;
  bool global;
};

ScriptRegex::ScriptRegex() = default;
ScriptRegex::~ScriptRegex() = default;
ScriptRegex::ScriptRegex(const ScriptRegex& other) = default;
ScriptRegex& ScriptRegex::operator=(const ScriptRegex& other) = default;

bool ScriptRegex::Execute(std::string_view pattern, std::string_view subject, bool caseSensitive,
                          bool multiline, bool global, bool quoteToken) {
  compiled_.reset();
  matches_.clear();
  subject_.clear();

  // The pattern is set before it is tried, so a pattern that does not compile is still the
  // one GetPattern reports.
  pattern_ = quoteToken ? text::ReplaceAll(pattern, kQuoteToken, "\"") : text::Text(pattern);
  auto compiled = std::make_shared<Compiled>();
  try {
    boost::regex_constants::syntax_option_type flags = boost::regex_constants::perl;
    if (!caseSensitive) flags = flags | boost::regex_constants::icase;
    compiled->regex.imbue(EngineLocale());
    compiled->regex.assign(ToBoostSyntax(GbkToWide(pattern_), multiline), flags);
  } catch (const std::exception&) {
    return false;
  }
  compiled->global = global;
  compiled_ = compiled;
  subject_ = text::Text(subject);

  const std::wstring wide = GbkToWide(subject_);
  try {
    ForEachScriptMatch(wide, compiled->regex, global, [this](const boost::wsmatch& found) {
      Match match;
      match.value = WideToGbk(found[0].str());
      for (std::size_t k = 1; k < found.size(); ++k) {
        const auto& group = found[static_cast<int>(k)];
        match.groups.push_back(group.matched ? WideToGbk(group.str()) : text::Text());
      }
      matches_.push_back(std::move(match));
    });
  } catch (const std::exception&) {
    // The engine gave up on the rest of the text; what was found before stands.
  }
  return true;
}

text::Text ScriptRegex::GetPattern() const {
  return pattern_;
}

text::Text ScriptRegex::Replace(std::string_view replacement) const {
  if (!compiled_) return subject_;
  const std::wstring subject = GbkToWide(subject_);
  const std::wstring wideReplacement = GbkToWide(replacement);
  std::wstring replaced;
  auto copiedUpTo = subject.cbegin();
  try {
    ForEachScriptMatch(subject, compiled_->regex, compiled_->global,
                       [&](const boost::wsmatch& match) {
                         replaced.append(copiedUpTo, match[0].first);
                         replaced += ScriptReplacement(match, subject, wideReplacement);
                         copiedUpTo = match[0].second;
                       });
  } catch (const std::exception&) {
    return subject_;
  }
  replaced.append(copiedUpTo, subject.cend());
  return WideToGbk(replaced);
}

int ScriptRegex::MatchCount() const {
  return static_cast<int>(matches_.size());
}

text::Text ScriptRegex::MatchText(int match) const {
  if (match < 1 || match > MatchCount()) return {};
  return matches_[static_cast<std::size_t>(match - 1)].value;
}

text::Text ScriptRegex::SubMatchText(int match, int group) const {
  if (match < 1 || match > MatchCount()) return {};
  const auto& groups = matches_[static_cast<std::size_t>(match - 1)].groups;
  if (group < 1 || static_cast<std::size_t>(group) > groups.size()) return {};
  return groups[static_cast<std::size_t>(group - 1)];
}

int ScriptRegex::SubMatchCount() const {
  return matches_.empty() ? 0 : static_cast<int>(matches_.front().groups.size());
}

std::wstring FoldCaseAsScriptRegex(std::wstring_view text) {
  static const boost::regex_traits<wchar_t> traits = [] {
    boost::regex_traits<wchar_t> engineTraits;
    engineTraits.imbue(EngineLocale());
    return engineTraits;
  }();
  std::wstring folded(text);
  for (wchar_t& c : folded)
    c = traits.translate_nocase(c);
  return folded;
}

}  // namespace catalogue
