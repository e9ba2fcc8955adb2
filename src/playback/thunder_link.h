#pragma once

#include <string_view>

#include "text/text.h"

namespace playback {

// Standard Base64 (RFC 4648, section 4) with padding and without line breaks.
text::Text Base64Encode(std::string_view bytes);

// "thunder://" + Base64("AA" + link without blanks at its ends + "ZZ").
text::Text MakeThunderLink(std::string_view link);

}  // namespace playback
