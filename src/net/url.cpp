#include "net/url.h"

#include <climits>

#include "net/constants.h"
#include "text/edit.h"
#include "text/search.h"

namespace net {
namespace {

constexpr std::string_view kHttpsMarker = "https://";
constexpr std::string_view kHttpMarker = "http://";

text::Text LowerAscii(std::string_view s) {
  text::Text out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return out;
}

// Leading decimal digits as a number, 0 when there are none; saturates instead of
// overflowing on absurdly long digit runs.
int LeadingNumber(std::string_view s) {
  long long value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

}  // namespace

text::Text HeaderValue(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {};
  return text::Trim(line.substr(colon + 1));
}

text::Text UrlHost(std::string_view url, bool withPort) {
  text::Text s = LowerAscii(url);
  if (s.empty() || s.back() != '/') s += '/';
  std::string_view marker = kHttpsMarker;
  if (s.compare(0, kHttpsMarker.size(), kHttpsMarker) != 0) {
    marker = kHttpMarker;
    if (text::Find(s, kHttpMarker) == text::kNotFound) s.insert(0, kHttpMarker);
  }
  text::Text host = text::TextBetween(s, marker, "/");
  if (!withPort) {
    const int colon = text::Find(host, ":");
    if (colon != text::kNotFound) host.resize(static_cast<std::size_t>(colon - 1));
  }
  return host;
}

int UrlPort(std::string_view url) {
  const text::Text host = UrlHost(url, true);
  const std::size_t colon = host.rfind(':');
  if (colon != text::Text::npos) return LeadingNumber(std::string_view(host).substr(colon + 1));
  return LowerAscii(url.substr(0, 5)) == "https" ? kHttpsPort : kHttpPort;
}

text::Text UrlPath(std::string_view url) {
  const text::Text host = UrlHost(url, false);
  const int hostAt = text::Find(url, host, 1, true);
  const int slash = text::Find(url, "/", hostAt, true);
  if (slash <= 0) return "/";
  return text::Text(url.substr(static_cast<std::size_t>(slash - 1)));
}

text::Text PercentEscape(std::string_view text, EscapedBytes which) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const bool alsoHigh = which == EscapedBytes::kAlsoHighBytes;
  text::Text out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || (alsoHigh && byte >= 0x80)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace net
