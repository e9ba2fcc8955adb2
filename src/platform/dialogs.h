#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace platform {

// Message box flags, with the values the system's texts are written against.
enum MessageFlags : int {
  kOkOnly = 0,
  kOkCancel = 1,
  kYesNo = 4,
  kErrorIcon = 16,
  kQuestionOkCancel = 33,
  kWarningIcon = 48,
  kInformationIcon = 64,
};

enum class Answer { kOk, kCancel, kAbort, kRetry, kIgnore, kYes, kNo };

// "信息：" and "请输入：" spelled as GBK bytes, so that they stay GBK in window code too, whose
// narrow literals are UTF-8 (a default argument is evaluated where the call is written).
inline constexpr std::string_view kDefaultCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";
inline constexpr std::string_view kInputCaption = "\xC7\xEB\xCA\xE4\xC8\xEB\xA3\xBA";

// Every message box and input box goes through this, so that handlers can be driven by tests
// with scripted answers. All texts are GBK.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A task-modal message box without owner window; `flags` combine the values above.
  virtual Answer ShowMessage(std::string_view message, int flags = kOkOnly,
                             std::string_view caption = kDefaultCaption) = 0;

  // The modal input box "请输入：" with "确认输入(&O)" and "取消(&C)"; nullopt when cancelled.
  virtual std::optional<text::Text> AskText(std::string_view prompt,
                                            std::string_view initial = {}) = 0;
};

}  // namespace platform
