#pragma once

#include <string>

namespace text {

// Plain decimal, never an exponent; fractions in their shortest form with at most 13
// significant digits ("0.3" for 0.1 + 0.2).
std::string NumberToText(double value);
std::string NumberToText(long long value);

// Rounds to `decimals` places: 1e-12 is added to the scaled value, halves go away from zero.
double RoundTo(double value, int decimals);

}  // namespace text
