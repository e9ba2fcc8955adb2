#pragma once

namespace platform {

// Waiting while the window events keep being dispatched, so that other handlers (a second
// click, a page that goes on loading) run inside the wait. Handlers take this interface so that
// tests can count the waits instead of sleeping through them.
class Waits {
 public:
  virtual ~Waits() = default;
  virtual void WaitProcessingEvents(int milliseconds) = 0;
};

}  // namespace platform
