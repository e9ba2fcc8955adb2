#include "app/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <limits>

#include "account/login.h"
#include "app/browser_box.h"
#include "app/link_actions.h"
#include "app/link_label.h"
#include "platform/qt_text.h"

namespace app {
namespace {

constexpr int kWidth = 898;
constexpr int kHeight = 542;
constexpr int kRowTop = 472;
constexpr int kRowHeight = 24;

}  // namespace

MainWindow::MainWindow(const platform::Sites& sites, platform::Dialogs& dialogs,
                       platform::ShellOpen& shell, platform::Waits& waits, PageObject& pageObject)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowCloseButtonHint),
      sites_(sites),
      dialogs_(dialogs),
      shell_(shell),
      waits_(waits),
      pageObject_(pageObject) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral(u"青禾云点播1.4正式版"));
  resize(kWidth, kHeight);

  browser_ = new BrowserBox(this);
  browser_->setGeometry(-16, 8, 904, 456);
  Navigate(sites_.corePageAddress[0]);

  addressBox_ =
      new QLineEdit(QStringLiteral(u"如果播放失败，请多试几次，一般超过3次就不用试了。"), this);
  addressBox_->setObjectName(QStringLiteral(u"编辑框1"));
  addressBox_->setGeometry(8, kRowTop, 304, kRowHeight);
  // Texts written into the box are kept whole, however long.
  addressBox_->setMaxLength(std::numeric_limits<int>::max());

  playButton_ = new QPushButton(QStringLiteral(u"播放"), this);
  playButton_->setObjectName(QStringLiteral(u"按钮1"));
  playButton_->setGeometry(320, kRowTop, 64, kRowHeight);
  connect(playButton_, &QPushButton::clicked, this, [this] {
    if (playHandler_) playHandler_();
  });

  AddLink(Link::kForumLogin, QStringLiteral(u"超级链接框4"), QStringLiteral(u"论坛登录"), 392, 56);
  AddLink(Link::kCatalogue, QStringLiteral(u"超级链接框1"), QStringLiteral(u"电影搜索"), 448, 56);
  AddLink(Link::kForum, QStringLiteral(u"超级链接框2"), QStringLiteral(u"进入论坛"), 504, 48);
  AddLink(Link::kCoreSelect, QStringLiteral(u"超级链接框3"), QStringLiteral(u"核心选择"), 560, 48);
  AddLink(Link::kWatchList, QStringLiteral(u"超级链接框5"),
          QStringLiteral(u"大家在看（白鹭云点播）"), 616, 128);
  AddLink(Link::kPlayRecord, QStringLiteral(u"超级链接框6"), QStringLiteral(u"播放记录"), 744, 64);
  AddLink(Link::kApplications, QStringLiteral(u"超级链接框7"), QStringLiteral(u"应用中心"), 808,
          48);

  bestButton_ = new QPushButton(QStringLiteral(u"最佳"), this);
  bestButton_->setObjectName(QStringLiteral(u"按钮2"));
  bestButton_->setGeometry(856, kRowTop, 24, 32);
  connect(bestButton_, &QPushButton::clicked, this, &MainWindow::BestSize);
}

void MainWindow::AddLink(Link link, const QString& objectName, const QString& caption, int x,
                         int width) {
  auto* label = new LinkLabel(caption, this);
  label->setObjectName(objectName);
  label->setGeometry(x, kRowTop, width, kRowHeight);
  connect(label, &LinkLabel::pressed, this, [this, link] { OnLinkPressed(link); });
  links_[link] = label;
}

text::Text MainWindow::LoginLinkCaption() const {
  return platform::QStringToGbk(links_.at(Link::kForumLogin)->text());
}

void MainWindow::SetLoginLinkCaption(std::string_view caption) {
  links_.at(Link::kForumLogin)->setText(platform::GbkToQString(caption));
}

bool MainWindow::IsLoggedIn() const {
  return account::IsLoggedInCaption(LoginLinkCaption());
}

void MainWindow::SetLinkHandler(Link link, std::function<void()> handler) {
  linkHandlers_[link] = std::move(handler);
}

void MainWindow::OnLinkPressed(Link link) {
  if (auto handler = linkHandlers_.find(link); handler != linkHandlers_.end() && handler->second) {
    handler->second();
    return;
  }
  switch (link) {
    case Link::kForumLogin:
    case Link::kCatalogue:
    case Link::kPlayRecord:
      break;
    case Link::kForum:
      shell_.OpenAddress(ForumHomePage(sites_));
      break;
    case Link::kCoreSelect:
      // Already shown but perhaps behind this window: showing it again brings it forward.
      if (coreSelectWindow_) {
        coreSelectWindow_->show();
        coreSelectWindow_->raise();
        coreSelectWindow_->activateWindow();
      }
      break;
    case Link::kWatchList:
      Navigate(WatchListPage(sites_));
      break;
    case Link::kApplications:
      Navigate(ApplicationPage(sites_));
      break;
  }
}

void MainWindow::Navigate(std::string_view address) {
  browser_->setUrl(QUrl(platform::GbkToQString(address), QUrl::TolerantMode));
}

void MainWindow::SetOuterSize(int width, int height) {
  const int frameWidth = frameGeometry().width() - geometry().width();
  const int frameHeight = frameGeometry().height() - geometry().height();
  resize(width - frameWidth, height - frameHeight);
}

void MainWindow::BestSize() {
  const int frameWidth = frameGeometry().width() - geometry().width();
  const int frameHeight = frameGeometry().height() - geometry().height();
  resize(width(), kBestHeight - frameHeight);
  resize(kBestWidth - frameWidth, height());
  waits_.WaitProcessingEvents(kBestSizeScrollWaitMilliseconds);
  pageObject_.ScrollTo(kScrollX, kScrollY);
  waits_.WaitProcessingEvents(kBestSizeHideWaitMilliseconds);
  HidePageScrollbars(browser_);
}

void MainWindow::DockSavedList() {
  if (!savedListWindow_) return;
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const int left = frameGeometry().left() - savedListWindow_->frameGeometry().width();
  const int top =
      screen->geometry().height() - savedListWindow_->frameGeometry().height() - kDockBottomMargin;
  savedListWindow_->move(left, top);
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  // The frame is known only once the window is shown.
  SetOuterSize(kWidth, kHeight);
  if (const QScreen* screen = this->screen()) {
    const QRect frame = frameGeometry();
    move(screen->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  DockSavedList();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closingHandler_) closingHandler_();
  event->accept();
}

}  // namespace app
