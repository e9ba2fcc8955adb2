// The login window and the saved list wired into the program: a user logs in with the demo
// forum account, ticks the remember box and adds entries by hand; at the next start the
// remembered credentials log in by themselves and the entries come back in the order shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "account/credentials_file.h"
#include "account/login_window.h"
#include "app/application.h"
#include "app/link_label.h"
#include "demo/demo_site.h"
#include "library/saved_list_window.h"
#include "support/scripted_dialogs.h"
#include "text/codepage.h"

namespace app {
namespace {

constexpr int kStartupTimeoutMs = 30000;

text::Text G(const char* utf8) {
  return text::Utf8ToGbk(utf8);
}

bool WaitForStartup(Application& application) {
  if (application.StartupFinished()) return true;
  QEventLoop loop;
  QObject::connect(&application, &Application::startupFinished, &loop, &QEventLoop::quit);
  QTimer::singleShot(kStartupTimeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return application.StartupFinished();
}

void PressLeft(QWidget* widget) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

class LoginAndSavedListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(site.Start());
    ASSERT_TRUE(directory.isValid());
    files.credentialsDirectory = directory.path().toStdString();
    files.recordFile = std::filesystem::path(directory.path().toStdString()) / "record.dcb";
  }

  // Closes the program as the user does; the close ends the event loop with code 0.
  static void CloseProgram(Application& application) {
    QTimer::singleShot(0, &application, [&] { application.OnMainWindowClosing(); });
    EXPECT_EQ(QApplication::exec(), 0);
  }

  std::unique_ptr<Application> StartProgram() {
    auto application = std::make_unique<Application>(site.Sites(), &dialogs, nullptr, files);
    application->Start();
    EXPECT_TRUE(WaitForStartup(*application));
    return application;
  }

  demo::DemoSite site;
  QTemporaryDir directory;
  FileLocations files;
  testing_support::ScriptedDialogs dialogs;
};

TEST_F(LoginAndSavedListTest, LoginOpensTheGatesAndBothFilesCarryOverToTheNextStart) {
  {
    auto application = StartProgram();
    MainWindow& main = application->Main();
    ASSERT_NE(application->Login(), nullptr);
    ASSERT_NE(application->SavedList(), nullptr);

    // Logged out: the saved list asks for the login first, the login link shows the window.
    PressLeft(main.LinkLabelOf(MainWindow::Link::kPlayRecord));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].message, G("请先登录论坛"));
    EXPECT_FALSE(application->SavedList()->isVisible());
    PressLeft(main.LinkLabelOf(MainWindow::Link::kForumLogin));
    EXPECT_TRUE(application->Login()->isVisible());

    account::LoginWindow& login = *application->Login();
    login.findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(demo::kDemoUser);
    login.findChild<QLineEdit*>(QStringLiteral("编辑框2"))->setText(demo::kDemoPassword);
    login.findChild<QCheckBox*>(QStringLiteral("选择框1"))->click();
    EXPECT_TRUE(std::filesystem::exists(account::CredentialsFilePath(files.credentialsDirectory)));
    ASSERT_TRUE(login.Login());
    EXPECT_EQ(main.LoginLinkCaption(), G("登录成功"));
    EXPECT_FALSE(login.isVisible());
    EXPECT_TRUE(login.TrimTimer().isActive());

    // Logged in: the link no longer toggles the login window, the saved list opens.
    PressLeft(main.LinkLabelOf(MainWindow::Link::kForumLogin));
    EXPECT_FALSE(login.isVisible());
    PressLeft(main.LinkLabelOf(MainWindow::Link::kPlayRecord));
    EXPECT_TRUE(application->SavedList()->isVisible());

    application->SavedList()->AddSavedEntry(G("乙"), "http://u2/");
    application->SavedList()->AddSavedEntry(G("甲"), "http://u1/");
    CloseProgram(*application);
  }
  ASSERT_TRUE(std::filesystem::exists(files.recordFile));

  auto application = StartProgram();
  EXPECT_EQ(application->Main().LoginLinkCaption(), G("登录成功"));
  const std::vector<library::SavedEntry> rows = application->SavedList()->Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, G("甲"));
  EXPECT_EQ(rows[0].playAddress, "http://u1/");
  EXPECT_EQ(rows[1].name, G("乙"));
}

TEST_F(LoginAndSavedListTest, WithoutLoginTheRecordFileIsLeftAlone) {
  const std::string before = G("名称：0x----0http://x/播放地址0\r\n");
  {
    std::ofstream out(files.recordFile, std::ios::binary);
    out << before;
  }
  auto application = StartProgram();
  ASSERT_EQ(application->SavedList()->Rows().size(), 1u);
  application->SavedList()->AddSavedEntry(G("新"), "http://new/");
  CloseProgram(*application);
  std::ifstream in(files.recordFile, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
}

}  // namespace
}  // namespace app
