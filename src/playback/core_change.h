#pragma once

#include <string_view>

#include "platform/dialogs.h"
#include "text/text.h"

namespace playback {

// The question asked before leaving core 1 for the core with caption `caption` (GBK).
text::Text CoreChangeConfirmation(std::string_view caption);

// Asks it with OK and Cancel under the default caption; true when the answer is OK.
bool ConfirmCoreChange(platform::Dialogs& dialogs, std::string_view caption);

}  // namespace playback
