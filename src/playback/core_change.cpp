#include "playback/core_change.h"

namespace playback {

text::Text CoreChangeConfirmation(std::string_view caption) {
  text::Text question = "当前云点播是青禾云点播（无广告无弹窗）是否更换";
  question += caption;
  question += "不保证";
  question += caption;
  question += "没有广告";
  return question;
}

bool ConfirmCoreChange(platform::Dialogs& dialogs, std::string_view caption) {
  return dialogs.ShowMessage(CoreChangeConfirmation(caption), platform::kOkCancel) ==
         platform::Answer::kOk;
}

}  // namespace playback
