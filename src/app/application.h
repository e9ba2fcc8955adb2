#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/page_object.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_shell_open.h"
#include "platform/qt_waits.h"
#include "platform/sites.h"

namespace playback {
class CoreSelectWindow;
}

namespace app {

// The steps of start-up that other parts of the program fill in, in the order they run. An
// empty step is skipped.
struct StartupSteps {
  std::function<void()> loadLoginWindow;         // 1, before the core selection window
  std::function<void()> loadSavedListWindow;     // 1, after it
  std::function<void()> enableSkinAero;          // 2
  std::function<void()> applySkin;               // 3, stored skin 25
  std::function<void()> updateCheck;             // 4
  std::function<void()> automaticLogin;          // 8, from the remembered credentials
  std::function<void()> loadSavedList;           // 9, from the record file
  std::function<void()> registerLayoutControls;  // 10, the eleven controls
};

// The steps of closing, in the order they run, before the program ends with exit code 0.
struct CloseSteps {
  std::function<void()> rewriteCredentials;  // 1, while remembering is ticked
  std::function<void()> saveSavedList;       // 2, while logged in
};

// The program-wide state and the start and end of the program.
class Application : public QObject {
  Q_OBJECT

 public:
  // `dialogs` and `waits` default to the real ones; tests hand in their own.
  explicit Application(platform::Sites sites, platform::Dialogs* dialogs = nullptr,
                       platform::Waits* waits = nullptr);
  ~Application() override;

  StartupSteps& Startup() { return startup_; }
  CloseSteps& Closing() { return closing_; }

  // Shows the main window; its created handler runs once the event loop is running.
  void Start();

  void OnMainWindowCreated();
  void OnMainWindowClosing();
  void PlayFromAddressBox();

  const platform::Sites& Sites() const { return sites_; }
  platform::Dialogs& Dialogs() { return *dialogs_; }
  platform::Waits& Waits() { return *waits_; }
  PageObject& Page() { return pageObject_; }
  MainWindow& Main() { return *mainWindow_; }
  playback::CoreSelectWindow* CoreSelect() { return coreSelectWindow_.get(); }
  bool StartupFinished() const { return startupFinished_; }

 signals:
  void startupFinished();

 private:
  platform::Sites sites_;
  platform::QtDialogs qtDialogs_;
  platform::QtWaits qtWaits_;
  platform::QtShellOpen shell_;
  platform::Dialogs* dialogs_;
  platform::Waits* waits_;
  PageObject pageObject_;
  std::unique_ptr<MainWindow> mainWindow_;
  std::unique_ptr<playback::CoreSelectWindow> coreSelectWindow_;
  StartupSteps startup_;
  CloseSteps closing_;
  bool closingDown_ = false;
  bool startupFinished_ = false;
};

}  // namespace app
