#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// Every match of `pattern` (Perl syntax, as Boost.Regex reads it) in `subject`, each as its
// groups' texts from group 1 on, plus the whole match first; an unmatched group is empty.
// Empty when Boost gives up ("complexity exceeded") or rejects the pattern.
using RegexMatch = std::vector<std::string>;
std::optional<std::vector<RegexMatch>> BoostAllMatches(std::string_view pattern,
                                                       std::string_view subject);

}  // namespace testing_support
