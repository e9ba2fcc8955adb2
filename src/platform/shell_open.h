#pragma once

#include <string_view>

namespace platform {

// Opens an address in the user's default web browser.
class ShellOpen {
 public:
  virtual ~ShellOpen() = default;
  // `address` is GBK; returns whether the desktop accepted it.
  virtual bool OpenAddress(std::string_view address) = 0;
};

}  // namespace platform
