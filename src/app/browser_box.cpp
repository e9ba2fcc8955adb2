#include "app/browser_box.h"

#include <QTimer>
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

namespace {

// A window opened without an address (to be written into by its opener) names no page; the
// engine reports it as "about:blank", or with a fragment when it blocked it.
bool NamesAPage(const QUrl& address) {
  if (!address.isValid() || address.isEmpty()) return false;
  return !(address.scheme() == QStringLiteral("about") &&
           address.path() == QStringLiteral("blank"));
}

}  // namespace

void BrowserBox::RedirectNewWindow(const QUrl& requested) {
  QUrl target = requested;
  if (!NamesAPage(target)) target = QUrl(statusText_, QUrl::TolerantMode);
  if (!NamesAPage(target)) return;
  // Navigating from inside the engine's new-window request can lose the navigation; it is
  // started once the request has been dealt with.
  QTimer::singleShot(0, this, [this, target] { setUrl(target); });
}

}  // namespace app
