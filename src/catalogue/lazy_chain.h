#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace catalogue {

// One match of a lazy chain pattern: the byte range it covers and the text of each group, as
// views into the searched text.
struct ChainMatch {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::vector<std::string_view> groups;
};

// A regular expression made only of literal text and lazy groups "(.*?)", in Perl syntax with
// "." matching every byte, line breaks included. Backtracking gives such a pattern a simple
// meaning: a lazy group stops at the first occurrence of the literal after it, because
// whatever the rest of the pattern can match from a later occurrence it can match from the
// first one too. So each match is the chain of first occurrences of the literal pieces, and
// once a chain breaks off no later start position can complete one either. Matching is
// therefore a handful of forward substring searches: linear in the text, with no state that
// could grow with it.
class LazyChainPattern {
 public:
  // Empty when the pattern holds other syntax, or no literal text at all (it could then match
  // the empty text, which this matcher does not model).
  static std::optional<LazyChainPattern> Parse(std::string_view pattern);

  int GroupCount() const { return static_cast<int>(literals_.size()) - 1; }

  // All non-overlapping matches from left to right; each search begins where the previous
  // match ended. Bytes are compared exactly, with no regard to character boundaries.
  std::vector<ChainMatch> FindAll(std::string_view subject) const;

 private:
  explicit LazyChainPattern(std::vector<text::Text> literals) : literals_(std::move(literals)) {}

  // The literal pieces around the groups: group k lies between pieces k - 1 and k, so there is
  // one piece more than there are groups; pieces may be empty (adjacent groups, a pattern that
  // starts or ends with a group).
  std::vector<text::Text> literals_;
};

}  // namespace catalogue
