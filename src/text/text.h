#pragma once

#include <string>

namespace text {

// All text inside the system is GBK (code page 936) bytes. Positions are 1-based byte
// positions and -1 means "not found"; a byte of 0x80 or above starts a two-byte character.
using Text = std::string;

inline constexpr int kNotFound = -1;

inline bool IsLeadByte(unsigned char byte) {
  return byte >= 0x80;
}

}  // namespace text
