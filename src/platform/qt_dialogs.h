#pragma once

#include "platform/dialogs.h"

namespace platform {

// Real dialogs: application-modal, without owner window, with the system's captions and
// Chinese button texts.
class QtDialogs : public Dialogs {
 public:
  Answer ShowMessage(std::string_view message, int flags = kOkOnly,
                     std::string_view caption = kDefaultCaption) override;
  std::optional<text::Text> AskText(std::string_view prompt,
                                    std::string_view initial = {}) override;
};

}  // namespace platform
