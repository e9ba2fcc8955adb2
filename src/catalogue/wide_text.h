#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace catalogue {

// GBK text as Unicode code points, one wchar_t each (32 bits on Linux), for matching
// character by character the way a script engine does; a malformed byte becomes "?".
std::wstring GbkToWide(std::string_view gbk);

// Code points back to GBK; a character GBK lacks becomes "?".
text::Text WideToGbk(std::wstring_view wide);

}  // namespace catalogue
