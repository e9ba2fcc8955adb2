#include "catalogue/boost_reference.h"

#include <boost/regex.hpp>

namespace testing_support {

std::optional<std::vector<RegexMatch>> BoostAllMatches(std::string_view pattern,
                                                       std::string_view subject) {
  try {
    const boost::regex regex(pattern.begin(), pattern.end(), boost::regex_constants::perl);
    std::vector<RegexMatch> matches;
    for (boost::cregex_iterator it(subject.data(), subject.data() + subject.size(), regex), end;
         it != end; ++it) {
      RegexMatch match;
      for (std::size_t k = 0; k < it->size(); ++k)
        match.push_back((*it)[static_cast<int>(k)].matched ? (*it)[static_cast<int>(k)].str()
                                                           : std::string());
      matches.push_back(std::move(match));
    }
    return matches;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace testing_support
