#include "platform/qt_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "platform/qt_text.h"

namespace platform {
namespace {

// The low four bits of the flags choose the buttons, the next four the icon.
constexpr int kButtonBits = 0x0F;
constexpr int kIconBits = 0xF0;
constexpr int kAbortRetryIgnore = 2;
constexpr int kYesNoCancel = 3;
constexpr int kRetryCancel = 5;
constexpr int kQuestionIcon = 32;

std::vector<std::pair<Answer, QString>> ButtonsFor(int flags) {
  const std::pair<Answer, QString> ok{Answer::kOk, QStringLiteral(u"确定")};
  const std::pair<Answer, QString> cancel{Answer::kCancel, QStringLiteral(u"取消")};
  const std::pair<Answer, QString> yes{Answer::kYes, QStringLiteral(u"是(&Y)")};
  const std::pair<Answer, QString> no{Answer::kNo, QStringLiteral(u"否(&N)")};
  const std::pair<Answer, QString> retry{Answer::kRetry, QStringLiteral(u"重试(&R)")};
  switch (flags & kButtonBits) {
    case kOkCancel:
      return {ok, cancel};
    case kAbortRetryIgnore:
      return {{Answer::kAbort, QStringLiteral(u"中止(&A)")},
              retry,
              {Answer::kIgnore, QStringLiteral(u"忽略(&I)")}};
    case kYesNoCancel:
      return {yes, no, cancel};
    case kYesNo:
      return {yes, no};
    case kRetryCancel:
      return {retry, cancel};
    default:
      return {ok};
  }
}

QMessageBox::Icon IconFor(int flags) {
  switch (flags & kIconBits) {
    case kErrorIcon:
      return QMessageBox::Critical;
    case kQuestionIcon:
      return QMessageBox::Question;
    case kWarningIcon:
      return QMessageBox::Warning;
    case kInformationIcon:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

Answer QtDialogs::ShowMessage(std::string_view message, int flags, std::string_view caption) {
  QMessageBox box(IconFor(flags), GbkToQString(caption), GbkToQString(message));
  // Some messages carry a site's own words; they are shown as written, never as markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  const auto buttons = ButtonsFor(flags);
  std::vector<std::pair<QAbstractButton*, Answer>> added;
  for (const auto& [answer, label] : buttons) {
    const auto role = (answer == Answer::kCancel || answer == Answer::kNo)
                          ? QMessageBox::RejectRole
                          : QMessageBox::AcceptRole;
    added.emplace_back(box.addButton(label, role), answer);
  }
  box.setDefaultButton(qobject_cast<QPushButton*>(added.front().first));
  // Closing the box with its title bar or Escape answers as Cancel does when there is one,
  // else as No, else with the only button: never with a Yes or an OK that is not the only way
  // out, since those start what the question warns about.
  QAbstractButton* escape = added.size() == 1 ? added.front().first : nullptr;
  for (const Answer cautious : {Answer::kNo, Answer::kCancel}) {
    for (const auto& [button, answer] : added) {
      if (answer == cautious) escape = button;
    }
  }
  box.setEscapeButton(escape);
  box.exec();
  for (const auto& [button, answer] : added) {
    if (box.clickedButton() == button) return answer;
  }
  return buttons.size() == 1 ? buttons.front().first : Answer::kCancel;
}

std::optional<text::Text> QtDialogs::AskText(std::string_view prompt, std::string_view initial) {
  QDialog dialog;
  dialog.setWindowTitle(GbkToQString(kInputCaption));
  dialog.setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(GbkToQString(prompt), &dialog);
  label->setWordWrap(true);
  auto* field = new QLineEdit(GbkToQString(initial), &dialog);
  field->setObjectName(QStringLiteral("field"));
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral(u"确认输入(&O)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral(u"取消(&C)"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(label);
  layout->addWidget(field);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QStringToGbk(field->text());
}

}  // namespace platform
