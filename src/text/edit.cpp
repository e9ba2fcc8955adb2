#include "text/edit.h"

#include <cstring>

namespace text {
namespace {

// Length of the character at `i`: two bytes for a lead byte followed by another byte.
std::size_t CharLength(std::string_view s, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

bool IsBlank(std::string_view s, std::size_t i, std::size_t length) {
  if (length == 1) return s[i] == ' ';
  return static_cast<unsigned char>(s[i]) == 0xA1 && static_cast<unsigned char>(s[i + 1]) == 0xA1;
}

}  // namespace

Text Mid(std::string_view source, int start, int count) {
  if (start < 1 || count <= 0 || static_cast<std::size_t>(start) > source.size()) return {};
  return Text(source.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

Text Trim(std::string_view source) {
  std::size_t first = source.size();
  std::size_t end = 0;
  for (std::size_t i = 0; i < source.size();) {
    std::size_t length = CharLength(source, i);
    if (!IsBlank(source, i, length)) {
      if (first == source.size()) first = i;
      end = i + length;
    }
    i += length;
  }
  if (first >= end) return {};
  return Text(source.substr(first, end - first));
}

Text RemoveSpaces(std::string_view source) {
  Text out;
  out.reserve(source.size());
  for (std::size_t i = 0; i < source.size();) {
    std::size_t length = CharLength(source, i);
    if (!IsBlank(source, i, length)) out.append(source.substr(i, length));
    i += length;
  }
  return out;
}

Text UntilZeroByte(std::string_view bytes) {
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  if (zero == nullptr) return Text(bytes);
  return Text(
      bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - bytes.data())));
}

}  // namespace text
