#include "demo/form_body.h"

namespace demo {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

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
