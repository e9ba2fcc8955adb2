#include "app/application.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "account/login.h"
#include "account/login_window.h"
#include "app/browser_box.h"
#include "app/link_actions.h"
#include "library/record_file.h"
#include "library/saved_list_window.h"
#include "platform/paths.h"
#include "platform/qt_text.h"
#include "playback/core_select_window.h"
#include "playback/play_action.h"

namespace app {
namespace {

// The play action's view of the main window and the core selection.
class MainWindowControls : public playback::PlayControls {
 public:
  MainWindowControls(MainWindow& main, playback::CoreSelectWindow* cores)
      : main_(main), cores_(cores) {}

  text::Text AddressBoxText() override {
    return platform::QStringToGbk(main_.AddressBox()->text());
  }
  void SetAddressBoxText(std::string_view text) override {
    main_.AddressBox()->setText(platform::GbkToQString(text));
  }
  std::array<bool, playback::kCoreCount> CoreChecks() override {
    if (cores_ == nullptr) return {};
    return cores_->CoreChecks();
  }
  void Navigate(std::string_view address) override {
    main_.Browser()->setUrl(QUrl(platform::GbkToQString(address), QUrl::TolerantMode));
  }

 private:
  MainWindow& main_;
  playback::CoreSelectWindow* cores_;
};

class MainWindowPage : public playback::PlayPage {
 public:
  MainWindowPage(MainWindow& main, PageObject& page) : main_(main), page_(page) {}

  bool Attach() override { return page_.Attach(main_.Browser()); }
  bool SetInputValue(std::string_view name, std::string_view value, int skip) override {
    return page_.SetInputValue(name, value, skip);
  }
  bool ClickLink(std::string_view name, int skip, bool clearTarget) override {
    return page_.ClickLink(name, skip, clearTarget);
  }
  void ScrollTo(int x, int y) override { page_.ScrollTo(x, y); }
  void HidePageScrollbars() override { app::HidePageScrollbars(main_.Browser()); }

 private:
  MainWindow& main_;
  PageObject& page_;
};

void Run(const std::function<void()>& step) {
  if (step) step();
}

}  // namespace

FileLocations DefaultFileLocations() {
  return {platform::RunDirectory(), library::RecordFilePath()};
}

Application::Application(platform::Sites sites, platform::Dialogs* dialogs, platform::Waits* waits,
                         std::optional<FileLocations> files)
    : sites_(std::move(sites)),
      files_(files ? std::move(*files) : DefaultFileLocations()),
      dialogs_(dialogs != nullptr ? dialogs : &qtDialogs_),
      waits_(waits != nullptr ? waits : &qtWaits_) {
  mainWindow_ = std::make_unique<MainWindow>(sites_, *dialogs_, shell_, *waits_, pageObject_);
  mainWindow_->SetPlayHandler([this] { PlayFromAddressBox(); });
  mainWindow_->SetClosingHandler([this] { OnMainWindowClosing(); });
  WireSubsystems();
}

Application::~Application() = default;

void Application::WireSubsystems() {
  startup_.loadLoginWindow = [this] { LoadLoginWindow(); };
  startup_.loadSavedListWindow = [this] { LoadSavedListWindow(); };
  startup_.automaticLogin = [this] {
    if (loginWindow_) loginWindow_->LoginFromRememberedCredentials();
  };
  startup_.loadSavedList = [this] {
    if (savedListWindow_) savedListWindow_->LoadSavedList();
  };
  closing_.rewriteCredentials = [this] {
    if (loginWindow_) loginWindow_->RewriteRememberedCredentials();
  };
  closing_.saveSavedList = [this] {
    if (!savedListWindow_) return;
    // The program is ending and its windows with it; the old record file is still whole.
    if (const std::error_code error = savedListWindow_->SaveSavedList()) {
      std::fprintf(stderr, "qinghe: the saved list was not written: %s\n", error.message().c_str());
    }
  };
}

void Application::LoadLoginWindow() {
  account::LoginWindowSeams seams;
  seams.dialogs = dialogs_;
  seams.isLoggedIn = [this] { return mainWindow_->IsLoggedIn(); };
  seams.markLoggedIn = [this] { mainWindow_->SetLoginLinkCaption(account::LoggedInCaption()); };
  seams.openInBrowser = [this](const text::Text& address) { shell_.OpenAddress(address); };
  seams.sites = sites_;
  seams.credentialsDirectory = files_.credentialsDirectory;
  loginWindow_ = std::make_unique<account::LoginWindow>(std::move(seams));
  mainWindow_->SetLinkHandler(MainWindow::Link::kForumLogin,
                              [this] { loginWindow_->OnForumLoginLinkPressed(); });
}

void Application::LoadSavedListWindow() {
  savedListWindow_ = std::make_unique<library::SavedListWindow>(
      *dialogs_, [this] { return mainWindow_->IsLoggedIn(); },
      [this](const text::Text& link) { PlayLink(link); }, files_.recordFile);
  savedListWindow_->PlaceBelow(mainWindow_->frameGeometry());
  mainWindow_->SetSavedListWindow(savedListWindow_.get());
  mainWindow_->SetLinkHandler(MainWindow::Link::kPlayRecord,
                              [this] { savedListWindow_->OnSavedListLinkClicked(); });
}

void Application::Start() {
  mainWindow_->show();
  QTimer::singleShot(0, this, &Application::OnMainWindowCreated);
}

void Application::OnMainWindowCreated() {
  Run(startup_.loadLoginWindow);
  coreSelectWindow_ = std::make_unique<playback::CoreSelectWindow>(*dialogs_);
  mainWindow_->SetCoreSelectWindow(coreSelectWindow_.get());
  Run(startup_.loadSavedListWindow);
  Run(startup_.enableSkinAero);
  Run(startup_.applySkin);
  Run(startup_.updateCheck);
  if (closingDown_) return;
  waits_->WaitProcessingEvents(kStartupPageWaitMilliseconds);
  // The user may have closed the window inside the wait; nothing more may start then.
  if (closingDown_) return;
  HidePageScrollbars(mainWindow_->Browser());
  pageObject_.Attach(mainWindow_->Browser());
  pageObject_.ScrollTo(kScrollX, kScrollY);
  if (closingDown_) return;
  Run(startup_.automaticLogin);
  Run(startup_.loadSavedList);
  Run(startup_.registerLayoutControls);
  startupFinished_ = true;
  emit startupFinished();
}

void Application::OnMainWindowClosing() {
  if (closingDown_) return;
  closingDown_ = true;
  Run(closing_.rewriteCredentials);
  Run(closing_.saveSavedList);
  QCoreApplication::exit(0);
}

void Application::PlayLink(const text::Text& link) {
  mainWindow_->AddressBox()->setText(platform::GbkToQString(link));
  PlayFromAddressBox();
}

void Application::PlayFromAddressBox() {
  MainWindowControls controls(*mainWindow_, coreSelectWindow_.get());
  MainWindowPage page(*mainWindow_, pageObject_);
  playback::PlayFromAddressBox(controls, page, *waits_, sites_);
}

}  // namespace app
