#include "platform/qt_waits.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace platform {

void WaitProcessingEvents(int milliseconds) {
  // A local event loop sleeps until an event or the timer arrives, so the wait neither spins
  // nor delays the handlers that run inside it. When the program is ended inside the wait, the
  // loop is quit by someone else and the wait gives up at once.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
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
