#include "platform/qt_shell_open.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/qt_text.h"

namespace platform {

bool QtShellOpen::OpenAddress(std::string_view address) {
  const QUrl url = QUrl::fromUserInput(GbkToQString(address));
  if (!url.isValid() || url.isEmpty()) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace platform
