#include "platform/qt_text.h"

#include "text/codepage.h"

namespace platform {

QString GbkToQString(std::string_view gbk) {
  const std::string utf8 = text::GbkToUtf8(gbk);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

text::Text QStringToGbk(const QString& shown) {
  const QByteArray utf8 = shown.toUtf8();
  return text::Utf8ToGbk(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace platform
