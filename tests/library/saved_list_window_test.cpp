#include "library/saved_list_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "library/record_file.h"
#include "library/temporary_directory.h"
#include "support/scripted_dialogs.h"
#include "text/codepage.h"

namespace library {
namespace {

using library_testing::Fixture;
using library_testing::ReadBytes;
using library_testing::TemporaryDirectory;
using library_testing::WriteBytes;

using Rows = std::vector<SavedEntry>;

// Window code is compiled as UTF-8 (Qt's headers do not build as GBK), while every text the
// list holds is GBK.
text::Text G(std::string_view utf8) {
  return text::Utf8ToGbk(utf8);
}

// The window with fakes for the main window's login state and play action.
class SavedListWindowTest : public ::testing::Test {
 protected:
  QTreeWidget* List() { return window.findChild<QTreeWidget*>(QStringLiteral(u"超级列表框1")); }
  QMenu* Menu() { return window.findChild<QMenu*>(QStringLiteral(u"菜单")); }

  void Choose(const QString& caption) {
    for (QAction* action : Menu()->actions())
      if (action->text() == caption) return action->trigger();
    FAIL() << "no menu item " << caption.toStdString();
  }

  // Clicks with the mouse, as a user does.
  void MouseAt(const QPoint& point, std::initializer_list<QEvent::Type> types) {
    QWidget* viewport = List()->viewport();
    const QPoint global = viewport->mapToGlobal(point);
    for (QEvent::Type type : types) {
      const Qt::MouseButtons held =
          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, point, global, Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(viewport, &event);
    }
  }
  QPoint RowCentre(int row) { return List()->visualItemRect(List()->topLevelItem(row)).center(); }
  void Select(int row) {
    MouseAt(RowCentre(row), {QEvent::MouseButtonPress, QEvent::MouseButtonRelease});
  }
  void DoubleClickAt(const QPoint& point) {
    MouseAt(point, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease});
  }
  void DoubleClickRow(int row) { DoubleClickAt(RowCentre(row)); }

  TemporaryDirectory directory;
  const std::filesystem::path recordFile = directory.path() / "record.dcb";
  testing_support::ScriptedDialogs dialogs;
  bool loggedIn = false;
  std::vector<text::Text> played;
  SavedListWindow window{dialogs, [this] { return loggedIn; },
                         [this](const text::Text& link) { played.push_back(link); }, recordFile};
};

TEST_F(SavedListWindowTest, FormAndPlacement) {
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), QStringLiteral(u"电影预存+播放记录"));
  EXPECT_EQ(List()->headerItem()->text(0), QStringLiteral(u"名称"));
  EXPECT_EQ(List()->headerItem()->text(1), QStringLiteral(u"播放地址"));
  EXPECT_FALSE(window.findChild<QCheckBox*>(QStringLiteral(u"选择框1"))->isEnabled());
  QStringList items;
  for (QAction* action : Menu()->actions())
    items << action->text();
  EXPECT_EQ(items, (QStringList{QStringLiteral(u"移除"), QStringLiteral(u"全部移除"),
                                QStringLiteral(u"手动添加")}));

  window.PlaceBelow(QRect(100, 80, 898, 542));
  EXPECT_EQ(window.pos(), QPoint(100, 622));
  EXPECT_EQ(window.size(), QSize(134, 542));

  window.ShowSavedListWindow();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(List()->columnWidth(0), 240);
  EXPECT_EQ(List()->columnWidth(1), 0);
  emit List()->customContextMenuRequested(QPoint(4, 4));
  EXPECT_TRUE(Menu()->isVisible());
  Menu()->hide();
  emit window.findChild<QLabel*>(QStringLiteral(u"超级链接框1"))
      ->linkActivated(QStringLiteral("#"));
  EXPECT_FALSE(window.isVisible());
}

TEST_F(SavedListWindowTest, DoubleClickPlaysANamedRowsAddress) {
  window.AddSavedEntry({"", "http://127.0.0.1/nameless"});
  window.AddSavedEntry({G("甲"), "http://127.0.0.1/a"});
  window.ShowSavedListWindow();
  const Rows before = window.Rows();
  ASSERT_EQ(before, (Rows{{G("甲"), "http://127.0.0.1/a"}, {"", "http://127.0.0.1/nameless"}}));

  DoubleClickRow(1);
  EXPECT_TRUE(played.empty());
  DoubleClickRow(0);
  EXPECT_EQ(played, std::vector<text::Text>{"http://127.0.0.1/a"});
  // Below the last row: nothing is double-clicked.
  DoubleClickAt(QPoint(4, List()->viewport()->height() - 4));
  EXPECT_EQ(played.size(), 1u);
  EXPECT_EQ(window.Rows(), before);
}

TEST_F(SavedListWindowTest, RemovingTakesOnlyTheSelectedRow) {
  for (const text::Text& name : {G("下"), G("中"), G("上")})
    window.AddSavedEntry({name, "http://127.0.0.1/"});
  window.ShowSavedListWindow();
  Choose(QStringLiteral(u"移除"));
  EXPECT_EQ(window.Rows().size(), 3u);

  Select(1);
  Choose(QStringLiteral(u"移除"));
  EXPECT_EQ(window.Rows(), (Rows{{G("上"), "http://127.0.0.1/"}, {G("下"), "http://127.0.0.1/"}}));
  // The row that moved into the removed one's place was not chosen by the user.
  Choose(QStringLiteral(u"移除"));
  EXPECT_EQ(window.Rows().size(), 2u);

  Choose(QStringLiteral(u"全部移除"));
  EXPECT_TRUE(window.Rows().empty());
}

TEST_F(SavedListWindowTest, ManualAdditionPutsTheEntryOnTop) {
  window.AddSavedEntry({G("旧"), "http://127.0.0.1/old"});
  dialogs.typed = {G("泰囧----http://127.0.0.1/new"), "no separator"};
  Choose(QStringLiteral(u"手动添加"));
  Choose(QStringLiteral(u"手动添加"));
  EXPECT_EQ(window.Rows(),
            (Rows{{G("泰囧"), "http://127.0.0.1/new"}, {G("旧"), "http://127.0.0.1/old"}}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, G("请输入正确的文本"));
}

TEST_F(SavedListWindowTest, LinkShowsTheListOnlyWhenLoggedIn) {
  window.OnSavedListLinkClicked();
  EXPECT_FALSE(window.isVisible());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, G("请先登录论坛"));
  EXPECT_EQ(dialogs.shown[0].flags, 64);

  loggedIn = true;
  window.OnSavedListLinkClicked();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Bytes that are no valid GBK are shown as best they can be, yet saved back unchanged.
TEST_F(SavedListWindowTest, RecordFileBytesSurviveARun) {
  const std::string bytes = Fixture("example.dcb") + G("名称：2坏") + "\xff\x80" +
                            G("----2http://127.0.0.1/") + "\x80\x7f" + G("播放地址2\r\n");
  WriteBytes(recordFile, bytes);
  window.AddSavedEntry({G("早"), "http://127.0.0.1/early"});
  window.LoadSavedList();
  EXPECT_EQ(window.Rows(), (Rows{{G("甲"), "U1"},
                                 {G("乙"), "U2"},
                                 {G("坏") + "\xff\x80", "http://127.0.0.1/\x80\x7f"},
                                 {G("早"), "http://127.0.0.1/early"}}));

  window.RemoveAll();
  EXPECT_FALSE(window.SaveSavedList());
  EXPECT_EQ(ReadBytes(recordFile), bytes);

  window.LoadSavedList();
  loggedIn = true;
  EXPECT_FALSE(window.SaveSavedList());
  EXPECT_EQ(ReadBytes(recordFile), bytes);

  window.RemoveAll();
  EXPECT_FALSE(window.SaveSavedList());
  EXPECT_FALSE(std::filesystem::exists(recordFile));
}

}  // namespace
}  // namespace library
