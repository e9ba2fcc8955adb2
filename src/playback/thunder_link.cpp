#include "playback/thunder_link.h"

#include "text/edit.h"

namespace playback {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kThunderScheme = "thunder://";
constexpr std::string_view kOpenMarker = "AA";
constexpr std::string_view kCloseMarker = "ZZ";

}  // namespace

text::Text Base64Encode(std::string_view bytes) {
  text::Text out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  auto byteAt = [&](std::size_t i) -> unsigned {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
  };
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const unsigned b0 = byteAt(i), b1 = byteAt(i + 1), b2 = byteAt(i + 2);
    out.push_back(kAlphabet[b0 >> 2]);
    out.push_back(kAlphabet[((b0 & 3) << 4) + (b1 >> 4)]);
    out.push_back(kAlphabet[((b1 & 15) << 2) + (b2 >> 6)]);
    out.push_back(kAlphabet[b2 & 63]);
  }
  const std::size_t remainder = bytes.size() % 3;
  if (remainder > 0) out.replace(out.size() - (3 - remainder), 3 - remainder, 3 - remainder, '=');
  return out;
}

text::Text MakeThunderLink(std::string_view link) {
  text::Text wrapped(kOpenMarker);
  wrapped += text::Trim(link);
  wrapped += kCloseMarker;
  text::Text out(kThunderScheme);
  out += text::Trim(Base64Encode(wrapped));
  return out;
}

}  // namespace playback
