#include "net/cookies.h"

#include "text/edit.h"
#include "text/search.h"

namespace net {
namespace {

constexpr std::string_view kPairSeparator = ";";
constexpr std::string_view kJoinSeparator = "; ";
constexpr std::string_view kDeletedMark = "=deleted";

bool IsDeleted(std::string_view pair) {
  return pair.size() >= kDeletedMark.size() &&
         pair.substr(pair.size() - kDeletedMark.size()) == kDeletedMark;
}

}  // namespace

text::Text CookieName(std::string_view pair) {
  const int equals = text::Find(pair, "=");
  if (equals == text::kNotFound) return text::Trim(pair);
  return text::Trim(pair.substr(0, static_cast<std::size_t>(equals - 1)));
}

bool HasCookieName(const std::vector<text::Text>& pairs, std::string_view name) {
  for (const text::Text& pair : pairs) {
    if (CookieName(pair) == name) return true;
  }
  return false;
}

int IndexOfText(const std::vector<text::Text>& members, std::string_view value) {
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i] == value) return static_cast<int>(i) + 1;
  }
  return text::kNotFound;
}

text::Text JoinDistinct(std::string_view source, std::string_view separator) {
  std::vector<text::Text> seen;
  text::Text out;
  for (text::Text& member : text::Split(source, separator)) {
    if (IndexOfText(seen, member) != text::kNotFound) continue;
    out += member;
    out += separator;
    seen.push_back(std::move(member));
  }
  out.resize(out.size() >= separator.size() ? out.size() - separator.size() : 0);
  return out;
}

text::Text MergeCookies(text::Text& cookies, text::Text& received) {
  cookies = text::RemoveSpaces(cookies);
  received = text::RemoveSpaces(received);
  std::vector<text::Text> pairs = text::Split(received, kPairSeparator);
  for (text::Text& pair : text::Split(cookies, kPairSeparator)) {
    if (!HasCookieName(pairs, CookieName(pair))) pairs.push_back(std::move(pair));
  }
  text::Text out;
  for (const text::Text& pair : pairs) {
    if (IsDeleted(pair)) continue;
    out += pair;
    out += kJoinSeparator;
  }
  if (out.size() >= kJoinSeparator.size()) out.resize(out.size() - kJoinSeparator.size());
  cookies = JoinDistinct(out, kJoinSeparator);
  return cookies;
}

}  // namespace net
