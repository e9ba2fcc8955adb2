#include "catalogue/script_regex.h"

#include <boost/regex.hpp>

#include "catalogue/wide_text.h"
#include "text/search.h"

namespace catalogue {
namespace {

constexpr std::string_view kQuoteToken = "#引号";

// Rewrites the script dialect into Boost's Perl syntax where the two differ: Boost's "." and
// its multiline anchors also stop at carriage returns and form feeds, which the script
// dialect does not do for ".".
std::wstring ToBoostSyntax(std::wstring_view pattern, bool multiline) {
  std::wstring out;
  out.reserve(pattern.size() + 16);
  bool inClass = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'\\' && i + 1 < pattern.size()) {
      out += c;
      out += pattern[++i];
      continue;
    }
    if (inClass) {
      if (c == L']') inClass = false;
      out += c;
      continue;
    }
    switch (c) {
      case L'[':
        inClass = true;
        out += c;
        // A "]" right after the opening bracket (or its "^") is a member, not the end.
        if (i + 1 < pattern.size() && pattern[i + 1] == L'^') out += pattern[++i];
        if (i + 1 < pattern.size() && pattern[i + 1] == L']') out += pattern[++i];
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

}  // namespace

struct ScriptRegex::Compiled {
  text::Text pattern;
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

  text::Text finalPattern =
      quoteToken ? text::ReplaceAll(pattern, kQuoteToken, "\"") : text::Text(pattern);
  auto compiled = std::make_shared<Compiled>();
  try {
    boost::regex_constants::syntax_option_type flags = boost::regex_constants::perl;
    if (!caseSensitive) flags = flags | boost::regex_constants::icase;
    compiled->regex.assign(ToBoostSyntax(GbkToWide(finalPattern), multiline), flags);
  } catch (const std::exception&) {
    return false;
  }
  compiled->pattern = std::move(finalPattern);
  compiled->global = global;
  compiled_ = compiled;
  subject_ = text::Text(subject);

  const std::wstring wide = GbkToWide(subject_);
  try {
    for (boost::wsregex_iterator it(wide.begin(), wide.end(), compiled->regex), end; it != end;
         ++it) {
      Match match;
      match.value = WideToGbk((*it)[0].str());
      for (std::size_t k = 1; k < it->size(); ++k) {
        const auto& group = (*it)[static_cast<int>(k)];
        match.groups.push_back(group.matched ? WideToGbk(group.str()) : text::Text());
      }
      matches_.push_back(std::move(match));
      if (!global) break;
    }
  } catch (const std::exception&) {
    // The engine gave up on the rest of the text; what was found before stands.
  }
  return true;
}

text::Text ScriptRegex::GetPattern() const {
  return compiled_ ? compiled_->pattern : text::Text();
}

text::Text ScriptRegex::Replace(std::string_view replacement) const {
  if (!compiled_) return subject_;
  boost::regex_constants::match_flag_type flags = boost::regex_constants::format_perl;
  if (!compiled_->global) flags = flags | boost::regex_constants::format_first_only;
  try {
    return WideToGbk(
        boost::regex_replace(GbkToWide(subject_), compiled_->regex, GbkToWide(replacement), flags));
  } catch (const std::exception&) {
    return subject_;
  }
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

}  // namespace catalogue
