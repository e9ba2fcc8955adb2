#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <functional>

namespace testing_support {

// Processes events until `done` holds or `milliseconds` pass; returns whether it held.
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 15000) {
  QDeadlineTimer deadline(milliseconds);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

// Loads `url` into `view` and waits for the load to end; returns whether it succeeded.
inline bool LoadAndWait(QWebEngineView* view, const QUrl& url, int milliseconds = 15000) {
  bool finished = false, ok = false;
  // A load that an earlier navigation leaves behind may end first; only this one counts.
  auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [&](bool success) {
    if (view->url() != url) return;
    finished = true;
    ok = success;
  });
  view->setUrl(url);
  WaitUntil([&] { return finished; }, milliseconds);
  QObject::disconnect(connection);
  return ok;
}

}  // namespace testing_support
