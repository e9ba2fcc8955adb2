#pragma once

#include <string_view>

#include "text/text.h"

namespace text {

// `count` bytes from the 1-based `start`; empty when start is outside the text or count <= 0,
// cut at the end when it runs past it.
Text Mid(std::string_view source, int start, int count);

// Removes runs of blanks (0x20 and the full-width space A1 A1) from both ends. Tabs, carriage
// returns and line feeds are not blanks.
Text Trim(std::string_view source);

// Deletes every blank anywhere in the text.
Text RemoveSpaces(std::string_view source);

// Texts are taken from received bytes up to the first zero byte.
Text UntilZeroByte(std::string_view bytes);

}  // namespace text
