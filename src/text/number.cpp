#include "text/number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace text {
namespace {

constexpr int kSignificantDigits = 13;
constexpr double kRoundingNudge = 1e-12;

}  // namespace

std::string NumberToText(long long value) {
  return std::to_string(value);
}

std::string NumberToText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // "d.dddddddddddde+XX": the 13 significant digits and the decimal exponent.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
  std::string_view formatted(buffer);
  const bool negative = formatted.front() == '-';
  if (negative) formatted.remove_prefix(1);
  const std::size_t e = formatted.find('e');
  const int exponent = std::atoi(formatted.data() + e + 1);
  std::string digits;
  for (char c : formatted.substr(0, e)) {
    if (c != '.') digits.push_back(c);
  }
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();
  if (digits == "0") return "0";

  std::string out = negative ? "-" : "";
  const int pointAfter = exponent + 1;  // digits before the decimal point
  if (pointAfter <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-pointAfter), '0');
    out += digits;
  } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
    out += digits;
    out.append(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(pointAfter));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(pointAfter));
  }
  return out;
}

double RoundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale + kRoundingNudge) / scale;
}

}  // namespace text
