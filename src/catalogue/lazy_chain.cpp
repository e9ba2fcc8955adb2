#include "catalogue/lazy_chain.h"

#include <cstring>

namespace catalogue {
namespace {

constexpr std::string_view kLazyGroup = "(.*?)";
constexpr std::string_view kMetaCharacters = "\\^$.|?*+()[]{";

// First occurrence of `needle` at or after `from`, or npos. glibc's memmem is linear in the
// haystack for every needle length.
std::size_t FindFrom(std::string_view haystack, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from;
  if (from > haystack.size()) return std::string_view::npos;
  const void* hit =
      memmem(haystack.data() + from, haystack.size() - from, needle.data(), needle.size());
  if (hit == nullptr) return std::string_view::npos;
  return static_cast<std::size_t>(static_cast<const char*>(hit) - haystack.data());
}

}  // namespace

std::optional<LazyChainPattern> LazyChainPattern::Parse(std::string_view pattern) {
  std::vector<text::Text> literals(1);
  bool anyLiteral = false;
  std::size_t i = 0;
  while (i < pattern.size()) {
    if (pattern.substr(i, kLazyGroup.size()) == kLazyGroup) {
      literals.emplace_back();
      i += kLazyGroup.size();
      continue;
    }
    if (kMetaCharacters.find(pattern[i]) != std::string_view::npos) return std::nullopt;
    literals.back().push_back(pattern[i]);
    anyLiteral = true;
    ++i;
  }
  if (!anyLiteral) return std::nullopt;
  return LazyChainPattern(std::move(literals));
}

std::vector<ChainMatch> LazyChainPattern::FindAll(std::string_view subject) const {
  std::vector<ChainMatch> matches;
  std::size_t searchFrom = 0;
  while (true) {
    const std::size_t begin = FindFrom(subject, literals_.front(), searchFrom);
    if (begin == std::string_view::npos) return matches;
    ChainMatch match;
    match.begin = begin;
    match.groups.reserve(literals_.size() - 1);
    std::size_t cursor = begin + literals_.front().size();
    for (std::size_t k = 1; k < literals_.size(); ++k) {
      const std::size_t at = FindFrom(subject, literals_[k], cursor);
      // The chain broke off: no later start can complete it either.
      if (at == std::string_view::npos) return matches;
      match.groups.push_back(subject.substr(cursor, at - cursor));
      cursor = at + literals_[k].size();
    }
    match.end = cursor;
    searchFrom = cursor;
    matches.push_back(std::move(match));
  }
}

}  // namespace catalogue
