#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string_view>

#include "app/page_object.h"
#include "platform/dialogs.h"
#include "platform/shell_open.h"
#include "platform/sites.h"
#include "platform/waits.h"
#include "text/text.h"

class QLineEdit;
class QPushButton;

namespace app {

class BrowserBox;
class LinkLabel;

// The start-up window: the browser box and below it the address box, "播放", "最佳" and the
// seven links.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Link {
    kForumLogin,    // "超级链接框4" "论坛登录", also the login state
    kCatalogue,     // "超级链接框1" "电影搜索"
    kForum,         // "超级链接框2" "进入论坛"
    kCoreSelect,    // "超级链接框3" "核心选择"
    kWatchList,     // "超级链接框5" "大家在看（白鹭云点播）"
    kPlayRecord,    // "超级链接框6" "播放记录"
    kApplications,  // "超级链接框7" "应用中心"
  };

  MainWindow(const platform::Sites& sites, platform::Dialogs& dialogs, platform::ShellOpen& shell,
             platform::Waits& waits, PageObject& pageObject);

  BrowserBox* Browser() const { return browser_; }
  QLineEdit* AddressBox() const { return addressBox_; }
  QPushButton* PlayButton() const { return playButton_; }
  QPushButton* BestButton() const { return bestButton_; }
  LinkLabel* LinkLabelOf(Link link) const { return links_.at(link); }

  // The login state lives in the forum-login link's caption (GBK).
  text::Text LoginLinkCaption() const;
  void SetLoginLinkCaption(std::string_view caption);
  bool IsLoggedIn() const;

  // The window "核心选择" shows and the saved list that docks beside this window.
  void SetCoreSelectWindow(QWidget* window) { coreSelectWindow_ = window; }
  void SetSavedListWindow(QWidget* window) { savedListWindow_ = window; }

  // A link's action, for the links whose windows are built elsewhere ("论坛登录", "电影搜索",
  // "播放记录"); until it is given, such a link does nothing.
  void SetLinkHandler(Link link, std::function<void()> handler);
  void SetPlayHandler(std::function<void()> handler) { playHandler_ = std::move(handler); }
  // Runs when the user closes the window; the window itself closes afterwards.
  void SetClosingHandler(std::function<void()> handler) { closingHandler_ = std::move(handler); }

  void BestSize();
  void DockSavedList();
  // The outer size, frame included where the window system draws one.
  void SetOuterSize(int width, int height);

 protected:
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddLink(Link link, const QString& objectName, const QString& caption, int x, int width);
  void OnLinkPressed(Link link);
  void Navigate(std::string_view address);

  const platform::Sites& sites_;
  platform::Dialogs& dialogs_;
  platform::ShellOpen& shell_;
  platform::Waits& waits_;
  PageObject& pageObject_;

  BrowserBox* browser_ = nullptr;
  QLineEdit* addressBox_ = nullptr;
  QPushButton* playButton_ = nullptr;
  QPushButton* bestButton_ = nullptr;
  std::map<Link, LinkLabel*> links_;
  std::map<Link, std::function<void()>> linkHandlers_;
  std::function<void()> playHandler_;
  std::function<void()> closingHandler_;
  QPointer<QWidget> coreSelectWindow_;
  QPointer<QWidget> savedListWindow_;
  bool placed_ = false;
};

}  // namespace app
