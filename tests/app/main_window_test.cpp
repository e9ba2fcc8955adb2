#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/browser_box.h"
#include "app/link_label.h"
#include "playback/core_select_window.h"
#include "support/scripted_dialogs.h"
#include "support/web_wait.h"
#include "text/codepage.h"

namespace app {
namespace {

// The system's texts are GBK; this file is compiled as UTF-8.
text::Text G(const char* utf8) {
  return text::Utf8ToGbk(utf8);
}

using Link = MainWindow::Link;

struct RecordingWaits : platform::Waits {
  std::vector<int> waited;
  std::function<void()> during;  // runs inside the next wait
  void WaitProcessingEvents(int milliseconds) override {
    waited.push_back(milliseconds);
    if (auto act = std::exchange(during, nullptr)) act();
  }
};

struct RecordingShell : platform::ShellOpen {
  std::vector<std::string> opened;
  bool OpenAddress(std::string_view address) override {
    opened.emplace_back(address);
    return true;
  }
};

// Addresses that lead nowhere: these tests look at the window, not at pages.
platform::Sites NowhereSites() {
  platform::Sites sites = platform::BuiltInSites();
  for (auto& address : sites.corePageAddress)
    address = "about:blank";
  sites.applicationSite = "http://127.0.0.1:9";
  sites.forumBase = "http://127.0.0.1:9/bbs/";
  return sites;
}

void PressLeft(QWidget* widget) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

class MainWindowTest : public testing::Test {
 protected:
  platform::Sites sites = NowhereSites();
  testing_support::ScriptedDialogs dialogs;
  RecordingShell shell;
  RecordingWaits waits;
  PageObject pageObject;
  MainWindow window{sites, dialogs, shell, waits, pageObject};
};

TEST_F(MainWindowTest, FormHasEveryControlInPlace) {
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral(u"青禾云点播1.4正式版"));
  EXPECT_EQ(window.frameGeometry().size(), QSize(898, 542));
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
  const QRect screen = window.screen()->availableGeometry();
  EXPECT_LE(std::abs(window.frameGeometry().center().x() - screen.center().x()), 1);

  struct Control {
    QString name;
    QString caption;
    QRect geometry;
  };
  const std::vector<Control> controls = {
      {QStringLiteral(u"超文本浏览框1"), {}, QRect(-16, 8, 904, 456)},
      {QStringLiteral(u"编辑框1"),
       QStringLiteral(u"如果播放失败，请多试几次，一般超过3次就不用试了。"),
       QRect(8, 472, 304, 24)},
      {QStringLiteral(u"按钮1"), QStringLiteral(u"播放"), QRect(320, 472, 64, 24)},
      {QStringLiteral(u"超级链接框4"), QStringLiteral(u"论坛登录"), QRect(392, 472, 56, 24)},
      {QStringLiteral(u"超级链接框1"), QStringLiteral(u"电影搜索"), QRect(448, 472, 56, 24)},
      {QStringLiteral(u"超级链接框2"), QStringLiteral(u"进入论坛"), QRect(504, 472, 48, 24)},
      {QStringLiteral(u"超级链接框3"), QStringLiteral(u"核心选择"), QRect(560, 472, 48, 24)},
      {QStringLiteral(u"超级链接框5"), QStringLiteral(u"大家在看（白鹭云点播）"),
       QRect(616, 472, 128, 24)},
      {QStringLiteral(u"超级链接框6"), QStringLiteral(u"播放记录"), QRect(744, 472, 64, 24)},
      {QStringLiteral(u"超级链接框7"), QStringLiteral(u"应用中心"), QRect(808, 472, 48, 24)},
      {QStringLiteral(u"按钮2"), QStringLiteral(u"最佳"), QRect(856, 472, 24, 32)},
  };
  for (const Control& control : controls) {
    auto* widget = window.findChild<QWidget*>(control.name);
    ASSERT_NE(widget, nullptr) << control.name.toStdString();
    EXPECT_EQ(widget->geometry(), control.geometry) << control.name.toStdString();
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) caption = button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) caption = edit->text();
    EXPECT_EQ(caption, control.caption) << control.name.toStdString();
  }
  EXPECT_EQ(window.Browser()->url(), QUrl(QStringLiteral("about:blank")));
}

TEST_F(MainWindowTest, AddressBoxKeepsALongTextWhole) {
  // Other windows write whole copied texts into the box; the play action tidies them later.
  const QString longText(40000, QLatin1Char('a'));
  window.AddressBox()->setText(longText);
  EXPECT_EQ(window.AddressBox()->text().size(), longText.size());
}

TEST_F(MainWindowTest, OnlyTheExactCaptionMeansLoggedIn) {
  EXPECT_FALSE(window.IsLoggedIn());
  window.SetLoginLinkCaption(G("登录成功 "));
  EXPECT_FALSE(window.IsLoggedIn());
  window.SetLoginLinkCaption(G("登录成功"));
  EXPECT_TRUE(window.IsLoggedIn());
  EXPECT_EQ(window.LoginLinkCaption(), G("登录成功"));
}

TEST_F(MainWindowTest, LinksOpenTheirPlaces) {
  QWidget coreWindow;
  window.SetCoreSelectWindow(&coreWindow);
  PressLeft(window.LinkLabelOf(Link::kCoreSelect));
  EXPECT_TRUE(coreWindow.isVisible());
  // Shown already but behind the main window: pressing the link again brings it to the front.
  window.show();
  window.activateWindow();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return window.isActiveWindow(); }, 2000));
  PressLeft(window.LinkLabelOf(Link::kCoreSelect));
  EXPECT_TRUE(testing_support::WaitUntil([&] { return coreWindow.isActiveWindow(); }, 2000));

  PressLeft(window.LinkLabelOf(Link::kForum));
  EXPECT_EQ(shell.opened, std::vector<std::string>{"http://127.0.0.1:9/bbs/forum.php"});

  // A right press is not a press of the link.
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(window.LinkLabelOf(Link::kForum), &right);
  EXPECT_EQ(shell.opened.size(), 1u);

  int catalogueOpened = 0;
  window.SetLinkHandler(Link::kCatalogue, [&] { ++catalogueOpened; });
  PressLeft(window.LinkLabelOf(Link::kCatalogue));
  EXPECT_EQ(catalogueOpened, 1);

  for (const auto& [link, address] :
       {std::pair{Link::kWatchList, "http://127.0.0.1:9/xlzm/djks.html"},
        std::pair{Link::kApplications, "http://127.0.0.1:9/Apps.html"}}) {
    PressLeft(window.LinkLabelOf(link));
    EXPECT_TRUE(testing_support::WaitUntil(
        [&, address = address] {
          return window.Browser()->url() == QUrl(QString::fromLatin1(address));
        },
        5000))
        << address;
  }
}

TEST_F(MainWindowTest, BestSizeResizesThenScrollsAndHides) {
  window.show();
  window.BestSize();
  EXPECT_EQ(window.frameGeometry().size(), QSize(992, 665));
  EXPECT_EQ(waits.waited, (std::vector<int>{300, 500}));
}

TEST_F(MainWindowTest, SavedListDocksLeftOfTheWindowAboveTheScreenBottom) {
  QWidget savedList(nullptr, Qt::Window);
  savedList.resize(300, 200);
  window.show();
  window.move(500, 40);
  savedList.move(10, 10);
  // Handing the window over does not move it: it placed itself when it was created.
  window.SetSavedListWindow(&savedList);
  EXPECT_EQ(savedList.frameGeometry().topLeft(), QPoint(10, 10));
  window.move(700, 60);
  QApplication::processEvents();
  const int screenHeight = window.screen()->geometry().height();
  EXPECT_EQ(savedList.frameGeometry().topLeft(),
            QPoint(window.frameGeometry().left() - 300, screenHeight - 200 - 50));
  EXPECT_EQ(savedList.size(), QSize(300, 200));
}

TEST(ApplicationTest, StartupRunsItsStepsInOrder) {
  testing_support::ScriptedDialogs dialogs;
  RecordingWaits waits;
  Application application(NowhereSites(), &dialogs, &waits);
  std::vector<std::string> steps;
  auto step = [&](const char* name) { return [&steps, name] { steps.emplace_back(name); }; };
  application.Startup() = {
      [&] { steps.push_back(application.CoreSelect() ? "login after cores" : "login"); },
      [&] { steps.push_back(application.CoreSelect() ? "saved list window" : "too early"); },
      step("aero"),
      step("skin"),
      step("update"),
      [&] {
        steps.push_back("automatic login, waited " + std::to_string(waits.waited.size()) +
                        ", bound " + std::to_string(application.Page().IsBound()));
      },
      step("saved list"),
      step("layout"),
  };
  application.OnMainWindowCreated();
  EXPECT_EQ(steps, (std::vector<std::string>{"login", "saved list window", "aero", "skin", "update",
                                             "automatic login, waited 1, bound 1", "saved list",
                                             "layout"}));
  EXPECT_EQ(waits.waited, std::vector<int>{1000});
  EXPECT_TRUE(application.StartupFinished());
  ASSERT_NE(application.CoreSelect(), nullptr);
  EXPECT_FALSE(application.CoreSelect()->isVisible());
  EXPECT_EQ(application.CoreSelect()->CoreChecks(),
            (std::array<bool, 5>{true, false, false, false, false}));
}

TEST(ApplicationTest, ClosingRunsTheCloseStepsAndEndsWithZero) {
  testing_support::ScriptedDialogs dialogs;
  RecordingWaits waits;
  Application application(NowhereSites(), &dialogs, &waits);
  std::vector<std::string> steps;
  application.Closing() = {[&] { steps.push_back("credentials"); },
                           [&] { steps.push_back("record file"); }};
  // A hidden window closing does not end the program.
  QWidget other;
  other.show();
  QTimer::singleShot(0, [&] { other.close(); });
  QObject::connect(&application, &Application::startupFinished,
                   [&] { QTimer::singleShot(0, [&] { application.Main().close(); }); });
  application.Start();
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(steps, (std::vector<std::string>{"credentials", "record file"}));
  EXPECT_TRUE(application.StartupFinished());
}

TEST(ApplicationTest, ClosingInsideTheStartupWaitStopsStartup) {
  testing_support::ScriptedDialogs dialogs;
  RecordingWaits waits;
  Application application(NowhereSites(), &dialogs, &waits);
  bool loggedIn = false;
  application.Startup().automaticLogin = [&] { loggedIn = true; };
  waits.during = [&] { application.Main().close(); };
  application.Start();
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(loggedIn);
  EXPECT_FALSE(application.StartupFinished());
}

}  // namespace
}  // namespace app
