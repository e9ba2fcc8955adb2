#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineView>

namespace app {

// The main window's browser box: a web view that keeps the status-bar text (the address of the
// link under the pointer) and never opens a second window.
class BrowserBox : public QWebEngineView {
  Q_OBJECT

 public:
  explicit BrowserBox(QWidget* parent = nullptr);

  QString StatusText() const { return statusText_; }

  // A page asked for a new window: navigate this box instead, to the address the page asked
  // for, else to the status-bar text; an empty address is never navigated to.
  void RedirectNewWindow(const QUrl& requested);

 private:
  QString statusText_;
};

}  // namespace app
