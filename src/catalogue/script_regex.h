#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace catalogue {

// A regular expression in the dialect of the script engines the site's pages were read with:
// "*?" is lazy, "[\s\S]" matches any character, "." any character but a line feed; with
// multiline, "^" and "$" also match at line breaks; with global, every non-overlapping match
// is found from left to right. Matching runs on characters, not bytes: the GBK text is decoded
// first, so a match never starts or ends inside a two-byte character. Indices are 1-based.
class ScriptRegex {
 public:
  ScriptRegex();
  ~ScriptRegex();
  ScriptRegex(const ScriptRegex& other);
  ScriptRegex& operator=(const ScriptRegex& other);

  // Compiles `pattern` ("#引号" in it stands for a double quote when quoteToken is set) and
  // runs it on `subject`. False when the pattern is not valid. Should the engine give up
  // part-way on a pathological pattern, the matches found before that point are kept.
  bool Execute(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
               bool multiline = true, bool global = true, bool quoteToken = false);

  // The pattern of the last Execute (also when it did not compile), or empty text before any.
  text::Text GetPattern() const;

  // The searched text with every match (only the first without global) replaced; "$1" to
  // "$99", "$&", "$`", "$'" and "$$" in `replacement` stand for a group, the match, the text
  // before and after it and a dollar sign, and everything else, backslashes included, for
  // itself. The searched text unchanged when nothing was executed.
  text::Text Replace(std::string_view replacement) const;

  int MatchCount() const;
  // Empty text outside the range.
  text::Text MatchText(int match) const;
  // Group `group` of match `match`; empty text for a group that took no part in the match.
  text::Text SubMatchText(int match, int group) const;
  // The number of groups of the first match, 0 without a match.
  int SubMatchCount() const;

 private:
  struct Compiled;
  struct Match {
    text::Text value;
    std::vector<text::Text> groups;
  };

  text::Text pattern_;
  std::shared_ptr<const Compiled> compiled_;
  std::vector<Match> matches_;
  text::Text subject_;
};

// Letter case folded exactly as ScriptRegex folds it when ignoring case, for code that matches
// literal text the way the engine would.
std::wstring FoldCaseAsScriptRegex(std::wstring_view text);

}  // namespace catalogue
