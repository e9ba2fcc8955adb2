#pragma once

#include "text/text.h"

namespace library {

// One row of the saved list. Both fields are GBK and either may be empty.
struct SavedEntry {
  text::Text name;
  text::Text playAddress;

  friend bool operator==(const SavedEntry&, const SavedEntry&) = default;
};

}  // namespace library
