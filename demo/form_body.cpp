#include "demo/form_body.h"

#include "text/codepage.h"

namespace demo {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The hexadecimal number of `digits` digits at `at`, or -1.
long HexNumber(std::string_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) return -1;
  long value = 0;
  for (std::size_t k = 0; k < digits; ++k) {
    const int digit = HexValue(text[at + k]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(long unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(long unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string DecodeEscapedText(std::string_view escaped) {
  std::string utf8;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (c == '+') {
      utf8 += ' ';
      continue;
    }
    if (static_cast<unsigned char>(c) >= 0x80) {
      utf8 += '?';
      continue;
    }
    if (c != '%') {
      utf8 += c;
      continue;
    }
    if (i + 1 < escaped.size() && (escaped[i + 1] == 'u' || escaped[i + 1] == 'U')) {
      const long unit = HexNumber(escaped, i + 2, 4);
      if (unit >= 0) {
        i += 5;
        if (IsHighSurrogate(unit) && i + 6 < escaped.size() && escaped[i + 1] == '%' &&
            (escaped[i + 2] == 'u' || escaped[i + 2] == 'U')) {
          const long low = HexNumber(escaped, i + 3, 4);
          if (IsLowSurrogate(low)) {
            AppendUtf8(utf8, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                 (static_cast<char32_t>(low) - 0xDC00));
            i += 6;
            continue;
          }
        }
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
          utf8 += '?';
        } else {
          AppendUtf8(utf8, static_cast<char32_t>(unit));
        }
        continue;
      }
    }
    const long byte = HexNumber(escaped, i + 1, 2);
    if (byte >= 0) {
      AppendUtf8(utf8, static_cast<char32_t>(byte));
      i += 2;
    } else {
      utf8 += c;
    }
  }
  return text::Utf8ToGbk(utf8);
}

std::string DecodeFormText(std::string_view encoded) {
  std::string decoded;
  decoded.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const char c = encoded[i];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%' && i + 2 < encoded.size() && HexValue(encoded[i + 1]) >= 0 &&
               HexValue(encoded[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(encoded[i + 1]) * 16 + HexValue(encoded[i + 2]));
      i += 2;
    } else {
      decoded += c;
    }
  }
  return decoded;
}

std::map<std::string, std::string> ParseForm(std::string_view encoded) {
  std::map<std::string, std::string> fields;
  while (!encoded.empty()) {
    const std::size_t end = encoded.find('&');
    const std::string_view field = encoded.substr(0, end);
    encoded.remove_prefix(end == std::string_view::npos ? encoded.size() : end + 1);
    if (field.empty()) continue;
    const std::size_t equals = field.find('=');
    std::string name = DecodeFormText(field.substr(0, equals));
    fields[std::move(name)] =
        equals == std::string_view::npos ? std::string() : DecodeFormText(field.substr(equals + 1));
  }
  return fields;
}

}  // namespace demo
