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

// Loads `url` into `view` and waits until it has loaded; false when it did not within the time.
// An earlier navigation that this load cuts short reports its own end, which is passed over.
inline bool LoadAndWait(QWebEngineView* view, const QUrl& url, int milliseconds = 15000) {
  bool loaded = false;
  auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [&](bool success) {
    if (success && view->url() == url) loaded = true;
  });
  view->setUrl(url);
  WaitUntil([&] { return loaded; }, milliseconds);
  QObject::disconnect(connection);
  return loaded;
}

}  // namespace testing_support
