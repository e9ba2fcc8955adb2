#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/main_window.h"
#include "app/page_object.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_shell_open.h"
#include "platform/qt_waits.h"
#include "platform/sites.h"

namespace account {
class LoginWindow;
}
namespace library {
class SavedListWindow;
}
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

// Where the program keeps its two small files between runs.
struct FileLocations {
  std::filesystem::path credentialsDirectory;  // the remembered credentials, beside the program
  std::filesystem::path recordFile;            // the saved list
};
FileLocations DefaultFileLocations();

// The program-wide state and the start and end of the program.
class Application : public QObject {
  Q_OBJECT

 public:
  // `dialogs`, `waits` and `files` default to the real ones; tests hand in their own. The
  // login window and the saved list are wired into the start-up and close steps.
  explicit Application(platform::Sites sites, platform::Dialogs* dialogs = nullptr,
                       platform::Waits* waits = nullptr,
                       std::optional<FileLocations> files = std::nullopt);
  ~Application() override;

  StartupSteps& Startup() { return startup_; }
  CloseSteps& Closing() { return closing_; }

  // Shows the main window; its created handler runs once the event loop is running.
  void Start();

  void OnMainWindowCreated();
  void OnMainWindowClosing();
  void PlayFromAddressBox();
  // Writes the link into the address box and plays it.
  void PlayLink(const text::Text& link);

  const platform::Sites& Sites() const { return sites_; }
  platform::Dialogs& Dialogs() { return *dialogs_; }
  platform::Waits& Waits() { return *waits_; }
  PageObject& Page() { return pageObject_; }
  MainWindow& Main() { return *mainWindow_; }
  playback::CoreSelectWindow* CoreSelect() { return coreSelectWindow_.get(); }
  account::LoginWindow* Login() { return loginWindow_.get(); }
  library::SavedListWindow* SavedList() { return savedListWindow_.get(); }
  bool StartupFinished() const { return startupFinished_; }

 signals:
  void startupFinished();

 private:
  void LoadLoginWindow();
  void LoadSavedListWindow();
  void WireSubsystems();

  platform::Sites sites_;
  FileLocations files_;
  platform::QtDialogs qtDialogs_;
  platform::QtWaits qtWaits_;
  platform::QtShellOpen shell_;
  platform::Dialogs* dialogs_;
  platform::Waits* waits_;
  PageObject pageObject_;
  std::unique_ptr<MainWindow> mainWindow_;
  std::unique_ptr<playback::CoreSelectWindow> coreSelectWindow_;
  std::unique_ptr<account::LoginWindow> loginWindow_;
  std::unique_ptr<library::SavedListWindow> savedListWindow_;
  StartupSteps startup_;
  CloseSteps closing_;
  bool closingDown_ = false;
  bool startupFinished_ = false;
};

}  // namespace app
