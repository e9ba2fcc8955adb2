#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <optional>
#include <string_view>

#include "app/element_choice.h"

class QWebEnginePage;
class QWebEngineView;

namespace app {

// The page-automation object bound to a browser box. Each operation takes one snapshot of the
// page's elements with a script, chooses the element in C++ and acts on it with a second
// script. Unbound, every operation does nothing and reports failure. Names and values are GBK.
class PageObject {
 public:
  // Binds to the browser box; false when there is none.
  bool Attach(QWebEngineView* browser);
  bool IsBound() const { return !browser_.isNull(); }

  void ScrollTo(int x, int y);
  bool SetInputValue(std::string_view name, std::string_view value, int skip);
  bool ClickLink(std::string_view name, int skip, bool clearTarget);

  // The element snapshot of the bound page; nullopt when unbound or the page did not answer.
  std::optional<ElementSnapshot> TakeSnapshot();

 private:
  QPointer<QWebEngineView> browser_;
};

// Hides the scroll bars of whatever page `browser` shows, whether a page object is bound or not.
void HidePageScrollbars(QWebEngineView* browser);

// Runs `script` in `page` and waits up to `timeoutMilliseconds`, processing events, for its
// result; an invalid QVariant when the page did not answer in time.
QVariant RunScriptAndWait(QWebEnginePage* page, const QString& script,
                          int timeoutMilliseconds = 1000);

}  // namespace app
