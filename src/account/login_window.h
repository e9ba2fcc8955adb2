#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

#include "account/login.h"
#include "platform/dialogs.h"
#include "platform/sites.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace account {

// What the login window needs from the program around it.
struct LoginWindowSeams {
  platform::Dialogs* dialogs = nullptr;
  // Posts the login form; the request engine (PostLoginForm) when left empty.
  PostForm post;
  // The login state, kept by the main window's forum-login link.
  std::function<bool()> isLoggedIn;
  std::function<void()> markLoggedIn;
  // Opens an address in the user's default web browser.
  std::function<void(const text::Text& address)> openInBrowser;
  platform::Sites sites;
  // Where the remembered credentials file lives: the program's directory.
  std::filesystem::path credentialsDirectory;
  // Runs on every tick of the trimming timer once the user has logged in; a trimming pass
  // over every process (platform::OnTrimTimer) when left empty.
  std::function<void()> trimTick;
  // Sets the visual-style mode of all windows, where the program has such modes.
  std::function<void(int mode)> setVisualStyleMode;
};

// The forum login form. It is created hidden at start-up and lives until the program ends;
// hiding it keeps what the boxes hold.
class LoginWindow : public QWidget {
  Q_OBJECT

 public:
  explicit LoginWindow(LoginWindowSeams seams, QWidget* parent = nullptr);

  // The "登录" button: posts the boxes to the forum. Returns whether the user is now logged in.
  bool Login();
  // The "注册" button: the registration page in the default web browser.
  void Register();
  // The remember box after a click has changed it.
  void OnRememberBoxClicked();

  // Start-up: with a credentials file, fills the boxes from it, ticks the remember box and
  // logs in while the window stays hidden. Returns whether there was a file.
  bool LoginFromRememberedCredentials();
  // Close: rewrites the credentials file from the boxes while the remember box is ticked.
  void RewriteRememberedCredentials();

  // The main window's forum-login link: toggles this window while logged out, nothing after.
  void OnForumLoginLinkPressed();

  // The trimming timer "时钟1": stopped until a login succeeds.
  const QTimer& TrimTimer() const { return *trimTimer_; }

 private:
  Credentials Boxes() const;
  void RecordSuccess();

  LoginWindowSeams seams_;
  QLineEdit* userNameBox_;
  QLineEdit* passwordBox_;
  QPushButton* loginButton_;
  QPushButton* registerButton_;
  QCheckBox* rememberBox_;
  QTimer* trimTimer_;
};

}  // namespace account
