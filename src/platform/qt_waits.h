#pragma once

#include "platform/waits.h"

namespace platform {

// Dispatches the pending events of the user-interface thread until `milliseconds` have passed
// on the monotonic clock.
void WaitProcessingEvents(int milliseconds);

class QtWaits : public Waits {
 public:
  void WaitProcessingEvents(int milliseconds) override {
    platform::WaitProcessingEvents(milliseconds);
  }
};

}  // namespace platform
