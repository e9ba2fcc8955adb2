#include "playback/core_select_window.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>

#include "platform/qt_text.h"
#include "playback/core_change.h"

namespace playback {
namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 122;
constexpr int kBoxWidth = 104;
constexpr int kBoxHeight = 24;

}  // namespace

CoreSelectWindow::CoreSelectWindow(platform::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), dialogs_(dialogs) {
  setObjectName(QStringLiteral("CoreSelectWindow"));
  setWindowTitle(QStringLiteral(u"核心"));
  resize(kWidth, kHeight);
  for (const PlayerCore& core : PlayerCores()) {
    auto* box = new QCheckBox(platform::GbkToQString(core.caption), this);
    box->setObjectName(QStringLiteral(u"选择框%1").arg(core.number));
    box->setGeometry(0, (core.number - 1) * kBoxHeight, kBoxWidth, kBoxHeight);
    box->setChecked(core.number == 1);
    boxes_[static_cast<std::size_t>(core.number - 1)] = box;
    if (core.number == 1) {
      connect(box, &QCheckBox::clicked, this, [this] { OnFirstBoxClicked(); });
    } else {
      connect(box, &QCheckBox::clicked, this, [this, n = core.number] { OnOtherBoxClicked(n); });
    }
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

std::array<bool, kCoreCount> CoreSelectWindow::CoreChecks() const {
  std::array<bool, kCoreCount> checked{};
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    checked[i] = boxes_[i]->isChecked();
  return checked;
}

QCheckBox* CoreSelectWindow::Box(int number) const {
  return boxes_.at(static_cast<std::size_t>(number - 1));
}

void CoreSelectWindow::OnFirstBoxClicked() {
  CheckOnly(1);
  hide();
}

void CoreSelectWindow::OnOtherBoxClicked(int number) {
  if (Box(1)->isChecked()) {
    const PlayerCore& core = PlayerCores()[static_cast<std::size_t>(number - 1)];
    if (!ConfirmCoreChange(dialogs_, core.caption)) {
      Box(number)->setChecked(false);
      hide();
      return;
    }
  }
  CheckOnly(number);
  hide();
}

void CoreSelectWindow::CheckOnly(int number) {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    boxes_[i]->setChecked(static_cast<int>(i) + 1 == number);
  }
}

}  // namespace playback
