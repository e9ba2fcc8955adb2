#include "text/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace text {
namespace {

constexpr char kGbk[] = "GBK";
constexpr char kUtf8[] = "UTF-8";

// Length of the malformed or unconvertible character at the front of `in`, so that exactly
// that character becomes one "?".
using SkipLength = std::size_t (*)(const unsigned char* in, std::size_t left);

std::size_t Utf8CharLength(const unsigned char* in, std::size_t left) {
  std::size_t length = 1;
  if (in[0] >= 0xF0) {
    length = 4;
  } else if (in[0] >= 0xE0) {
    length = 3;
  } else if (in[0] >= 0xC0) {
    length = 2;
  }
  std::size_t valid = 1;
  while (valid < length && valid < left && (in[valid] & 0xC0) == 0x80)
    ++valid;
  return valid;
}

std::size_t GbkCharLength(const unsigned char* in, std::size_t left) {
  return (IsLeadByte(in[0]) && left > 1) ? 2 : 1;
}

std::string Convert(std::string_view input, const char* to, const char* from, SkipLength skip) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  out.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    std::size_t result = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: an unconvertible, malformed or cut-off character.
    std::size_t length = skip(reinterpret_cast<const unsigned char*>(in), inLeft);
    out.push_back('?');
    in += length;
    inLeft -= length;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

Text Utf8ToGbk(std::string_view utf8) {
  return Convert(utf8, kGbk, kUtf8, Utf8CharLength);
}

std::string GbkToUtf8(std::string_view gbk) {
  return Convert(gbk, kUtf8, kGbk, GbkCharLength);
}

}  // namespace text
