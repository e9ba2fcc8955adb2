#pragma once

#include <QWidget>
#include <array>

#include "platform/dialogs.h"
#include "playback/player_core.h"

class QCheckBox;

namespace playback {

// The borderless pop-up of five mutually exclusive check boxes that holds the selected player
// core. Every click hides it; leaving core 1 asks for confirmation first.
class CoreSelectWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CoreSelectWindow(platform::Dialogs& dialogs, QWidget* parent = nullptr);

  std::array<bool, kCoreCount> CoreChecks() const;
  QCheckBox* Box(int number) const;  // 1 to 5

 private:
  void OnFirstBoxClicked();
  void OnOtherBoxClicked(int number);
  void CheckOnly(int number);

  platform::Dialogs& dialogs_;
  std::array<QCheckBox*, kCoreCount> boxes_{};
};

}  // namespace playback
