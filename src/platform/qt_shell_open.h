#pragma once

#include "platform/shell_open.h"

namespace platform {

// Shell-open through the desktop's URL handler.
class QtShellOpen : public ShellOpen {
 public:
  bool OpenAddress(std::string_view address) override;
};

}  // namespace platform
