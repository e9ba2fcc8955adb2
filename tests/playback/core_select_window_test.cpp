#include "playback/core_select_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>

#include "support/scripted_dialogs.h"
#include "text/codepage.h"

namespace playback {
namespace {

// The system's texts are GBK; this file is compiled as UTF-8.
text::Text G(const char* utf8) {
  return text::Utf8ToGbk(utf8);
}

using Checks = std::array<bool, kCoreCount>;

class CoreSelectWindowTest : public testing::Test {
 protected:
  void Click(int box) {
    window.show();
    window.Box(box)->click();
    EXPECT_FALSE(window.isVisible()) << "every click hides the window";
  }

  testing_support::ScriptedDialogs dialogs;
  CoreSelectWindow window{dialogs};
};

TEST_F(CoreSelectWindowTest, FormStartsWithCoreOneHidden) {
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.size(), QSize(96, 122));
  EXPECT_EQ(window.windowTitle(), QStringLiteral(u"核心"));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window.CoreChecks(), (Checks{true, false, false, false, false}));
  const QStringList captions = {QStringLiteral(u"青禾云点播"), QStringLiteral(u"松果云点播"),
                                QStringLiteral(u"白鹭云点播"), QStringLiteral(u"竹溪云点播"),
                                QStringLiteral(u"海棠云点播")};
  for (int box = 1; box <= kCoreCount; ++box) {
    QCheckBox* check = window.findChild<QCheckBox*>(QStringLiteral(u"选择框%1").arg(box));
    ASSERT_EQ(check, window.Box(box));
    EXPECT_EQ(check->text(), captions[box - 1]);
    EXPECT_EQ(check->geometry(), QRect(0, (box - 1) * 24, 104, 24));
  }
}

TEST_F(CoreSelectWindowTest, LeavingCoreOneAsksAndOkSwitches) {
  Click(3);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message,
            G("当前云点播是青禾云点播（无广告无弹窗）是否更换白鹭云点播不保证白鹭云点播没有广告"));
  EXPECT_EQ(dialogs.shown[0].flags, platform::kOkCancel);
  EXPECT_EQ(dialogs.shown[0].caption, G("信息："));
  EXPECT_EQ(window.CoreChecks(), (Checks{false, false, true, false, false}));

  // From core 3 on, neither another core nor core 1 asks anything.
  Click(5);
  EXPECT_EQ(window.CoreChecks(), (Checks{false, false, false, false, true}));
  Click(1);
  EXPECT_EQ(window.CoreChecks(), (Checks{true, false, false, false, false}));
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(CoreSelectWindowTest, AnythingButOkKeepsCoreOne) {
  for (platform::Answer answer : {platform::Answer::kCancel, platform::Answer::kNo}) {
    dialogs.answers = {answer};
    Click(4);
    EXPECT_EQ(window.CoreChecks(), (Checks{true, false, false, false, false}));
  }
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_NE(dialogs.shown[0].message.find(G("竹溪云点播不保证竹溪云点播")), std::string::npos);
}

TEST_F(CoreSelectWindowTest, ClickingTheCheckedBoxKeepsIt) {
  Click(1);
  EXPECT_EQ(window.CoreChecks(), (Checks{true, false, false, false, false}));
  Click(2);
  Click(2);
  EXPECT_EQ(window.CoreChecks(), (Checks{false, true, false, false, false}));
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace playback
