#pragma once

#include <QString>
#include <string_view>

#include "text/text.h"

namespace platform {

// The one place where the system's GBK text meets Qt's UTF-16 strings.
QString GbkToQString(std::string_view gbk);
text::Text QStringToGbk(const QString& shown);

}  // namespace platform
