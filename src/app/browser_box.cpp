#include "app/browser_box.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>

namespace app {

BrowserBox::BrowserBox(QWidget* parent) : QWebEngineView(parent) {
  setObjectName(QStringLiteral(u"超文本浏览框1"));
  connect(page(), &QWebEnginePage::linkHovered, this,
          [this](const QString& address) { statusText_ = address; });
  // The request is left unanswered, so no window opens.
  connect(
      page(), &QWebEnginePage::newWindowRequested, this,
      [this](QWebEngineNewWindowRequest& request) { RedirectNewWindow(request.requestedUrl()); });
}

void BrowserBox::RedirectNewWindow(const QUrl& requested) {
  QUrl target = requested;
  if (target.isEmpty() || !target.isValid()) target = QUrl(statusText_, QUrl::TolerantMode);
  if (target.isEmpty() || !target.isValid()) return;
  setUrl(target);
}

}  // namespace app
