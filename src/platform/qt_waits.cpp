#include "platform/qt_waits.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace platform {

void WaitProcessingEvents(int milliseconds) {
  // A local event loop sleeps until an event or the timer arrives, so the wait neither spins
  // nor delays the handlers that run inside it. The timer may fire a little early, so the
  // monotonic clock has the last word. When the program is ended inside the wait, the loop is
  // quit by someone else and the wait gives up at once.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (true) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now);
    QEventLoop loop;
    bool timerFired = false;
    QTimer::singleShot(static_cast<int>(left.count()), Qt::PreciseTimer, &loop, [&] {
      timerFired = true;
      loop.quit();
    });
    loop.exec();
    if (!timerFired) return;
  }
}

}  // namespace platform
