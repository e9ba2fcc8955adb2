#include "platform/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <functional>

#include "platform/qt_waits.h"

namespace platform {
namespace {

// Acts on the modal dialog once it is up, as a user would.
void WhenDialogShows(std::function<void(QDialog*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    timer->stop();
    timer->deleteLater();
    act(dialog);
  });
  timer->start();
}

QStringList ButtonTexts(QDialog* dialog) {
  QStringList texts;
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->text().isEmpty()) texts << button->text();
  }
  texts.sort();
  return texts;
}

void Press(QDialog* dialog, const QString& text) {
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (button->text() == text) {
      button->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  dialog->reject();
}

struct MessageCase {
  int flags;
  QStringList buttons;  // sorted
  QMessageBox::Icon icon;
  QString press;
  Answer answer;
};

TEST(QtDialogsTest, MessageBoxesShowTheFlagsButtonsAndIcons) {
  const QString ok = QStringLiteral(u"确定"), cancel = QStringLiteral(u"取消");
  const QString yes = QStringLiteral(u"是(&Y)"), no = QStringLiteral(u"否(&N)");
  const std::vector<MessageCase> cases = {
      {kOkOnly, {ok}, QMessageBox::NoIcon, ok, Answer::kOk},
      {kOkCancel, {cancel, ok}, QMessageBox::NoIcon, cancel, Answer::kCancel},
      {kQuestionOkCancel, {cancel, ok}, QMessageBox::Question, ok, Answer::kOk},
      {kYesNo | kWarningIcon, {no, yes}, QMessageBox::Warning, no, Answer::kNo},
      {kErrorIcon, {ok}, QMessageBox::Critical, ok, Answer::kOk},
      {kInformationIcon, {ok}, QMessageBox::Information, ok, Answer::kOk},
  };
  QtDialogs dialogs;
  for (const MessageCase& c : cases) {
    QString title, shownText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    WhenDialogShows([&](QDialog* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      shownText = box->text();
      icon = box->icon();
      buttons = ButtonTexts(box);
      Press(box, c.press);
    });
    // "请先登录论坛" as GBK bytes, under the default caption: this file's own literals are UTF-8,
    // so the caption shows right only when the default is GBK wherever it is written.
    const Answer answer =
        dialogs.ShowMessage("\xC7\xEB\xCF\xC8\xB5\xC7\xC2\xBC\xC2\xDB\xCC\xB3", c.flags);
    EXPECT_EQ(answer, c.answer) << c.flags;
    EXPECT_EQ(title, QStringLiteral(u"信息："));
    EXPECT_EQ(shownText, QStringLiteral(u"请先登录论坛"));
    EXPECT_EQ(icon, c.icon) << c.flags;
    EXPECT_EQ(buttons, c.buttons) << c.flags;
  }
}

TEST(QtDialogsTest, DismissingABoxNeverAnswersYes) {
  // Escape and the title bar's close box give the box's cautious answer: Cancel where there
  // is one, else No; a box with one button answers with it.
  const std::vector<std::pair<int, Answer>> cases = {
      {kOkOnly, Answer::kOk},
      {kOkCancel, Answer::kCancel},
      {kQuestionOkCancel, Answer::kCancel},
      {kYesNo, Answer::kNo},
      {kYesNo | kWarningIcon, Answer::kNo},
  };
  QtDialogs dialogs;
  for (const auto& [flags, expected] : cases) {
    for (const bool byEscape : {true, false}) {
      WhenDialogShows([byEscape](QDialog* dialog) {
        if (byEscape) {
          QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
          QApplication::sendEvent(dialog, &escape);
        } else {
          dialog->close();
        }
        // A box that refused to go would hang the test; take it down the hard way.
        if (dialog->isVisible()) dialog->done(-1);
      });
      EXPECT_EQ(dialogs.ShowMessage("?", flags), expected)
          << flags << (byEscape ? " escape" : " close");
    }
  }
}

TEST(QtDialogsTest, MessagesAreShownAsPlainText) {
  // A forum's own explanation is shown as it came, markup included.
  QtDialogs dialogs;
  Qt::TextFormat format = Qt::AutoText;
  WhenDialogShows([&](QDialog* dialog) {
    format = qobject_cast<QMessageBox*>(dialog)->textFormat();
    dialog->accept();
  });
  dialogs.ShowMessage("<b>bold</b>", kWarningIcon);
  EXPECT_EQ(format, Qt::PlainText);
}

TEST(QtDialogsTest, InputBoxAnswersTheTypedTextOrNothing) {
  QtDialogs dialogs;
  QString title;
  QStringList buttons;
  WhenDialogShows([&](QDialog* dialog) {
    title = dialog->windowTitle();
    buttons = ButtonTexts(dialog);
    auto* field = dialog->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), QStringLiteral("start"));
    field->setText(QStringLiteral(u"电影"));
    Press(dialog, QStringLiteral(u"确认输入(&O)"));
  });
  EXPECT_EQ(dialogs.AskText("name?", "start"), std::optional<text::Text>("\xB5\xE7\xD3\xB0"));
  EXPECT_EQ(title, QStringLiteral(u"请输入："));
  EXPECT_EQ(buttons, (QStringList{QStringLiteral(u"取消(&C)"), QStringLiteral(u"确认输入(&O)")}));

  WhenDialogShows([](QDialog* dialog) { Press(dialog, QStringLiteral(u"取消(&C)")); });
  EXPECT_EQ(dialogs.AskText("name?"), std::nullopt);
}

TEST(WaitProcessingEventsTest, HandlesEventsWhileWaiting) {
  bool handled = false;
  QTimer::singleShot(20, [&] { handled = true; });
  const auto start = std::chrono::steady_clock::now();
  WaitProcessingEvents(150);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(handled);
  EXPECT_GE(waited, std::chrono::milliseconds(150));
}

}  // namespace
}  // namespace platform
