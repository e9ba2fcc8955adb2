#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace testing_support {

// Dialogs that answer from a script and remember what was shown.
class ScriptedDialogs : public platform::Dialogs {
 public:
  struct Shown {
    std::string message;
    int flags;
    std::string caption;
  };

  platform::Answer ShowMessage(std::string_view message, int flags,
                               std::string_view caption) override {
    shown.push_back({std::string(message), flags, std::string(caption)});
    if (answers.empty()) return platform::Answer::kOk;
    platform::Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::optional<text::Text> AskText(std::string_view prompt, std::string_view) override {
    prompts.emplace_back(prompt);
    if (typed.empty()) return std::nullopt;
    std::optional<text::Text> answer = typed.front();
    typed.pop_front();
    return answer;
  }

  std::deque<platform::Answer> answers;         // next message-box answers; kOk when empty
  std::deque<std::optional<text::Text>> typed;  // next input-box answers; cancel when empty
  std::vector<Shown> shown;
  std::vector<std::string> prompts;
};

}  // namespace testing_support
