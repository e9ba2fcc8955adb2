#include "catalogue/wide_text.h"

#include "text/codepage.h"

namespace catalogue {
namespace {

constexpr wchar_t kReplacement = L'?';

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The UTF-8 comes from iconv and is well formed; a broken sequence still yields "?" rather
// than reading past the end.
std::wstring DecodeUtf8(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 0;
    if (length == 0 || i + length > utf8.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      valid = valid && (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    out.push_back(valid ? static_cast<wchar_t>(c) : kReplacement);
    i += valid ? length : 1;
  }
  return out;
}

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
  return DecodeUtf8(text::GbkToUtf8(gbk));
}

text::Text WideToGbk(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size() * 3);
  for (wchar_t c : wide)
    AppendUtf8(utf8, static_cast<char32_t>(c));
  return text::Utf8ToGbk(utf8);
}

}  // namespace catalogue
