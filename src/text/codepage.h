#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace text {

// UTF-8 to GBK; a character GBK lacks, or a malformed byte, becomes "?".
Text Utf8ToGbk(std::string_view utf8);

// GBK to UTF-8; a malformed byte becomes "?".
std::string GbkToUtf8(std::string_view gbk);

}  // namespace text
