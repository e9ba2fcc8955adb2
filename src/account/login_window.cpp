#include "account/login_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "account/credentials_file.h"
#include "account/forum_post.h"
#include "platform/memory_trim.h"
#include "platform/qt_text.h"

namespace account {
namespace {

constexpr int kLoginWindowVisualStyle = 2;

QLabel* AddLabel(QWidget* window, const QString& name, const QString& caption, QRect place) {
  auto* label = new QLabel(caption, window);
  label->setObjectName(name);
  label->setGeometry(place);
  return label;
}

}  // namespace

LoginWindow::LoginWindow(LoginWindowSeams seams, QWidget* parent)
    : QWidget(parent, Qt::Window), seams_(std::move(seams)) {
  if (!seams_.post) seams_.post = PostLoginForm;
  if (!seams_.trimTick) seams_.trimTick = platform::OnTrimTimer;

  setWindowTitle(QStringLiteral("登录"));
  setGeometry(50, 50, 182, 133);

  AddLabel(this, QStringLiteral("标签1"), QStringLiteral("用户名："), {8, 8, 48, 24});
  userNameBox_ = new QLineEdit(this);
  userNameBox_->setObjectName(QStringLiteral("编辑框1"));
  userNameBox_->setGeometry(64, 8, 104, 24);

  AddLabel(this, QStringLiteral("标签2"), QStringLiteral("密码："), {8, 40, 48, 24});
  passwordBox_ = new QLineEdit(this);
  passwordBox_->setObjectName(QStringLiteral("编辑框2"));
  passwordBox_->setGeometry(64, 40, 104, 24);
  passwordBox_->setEchoMode(QLineEdit::Password);
  // The mask is asterisks, whatever character the style would pick (a bullet, mostly).
  passwordBox_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

  loginButton_ = new QPushButton(QStringLiteral("登录"), this);
  loginButton_->setObjectName(QStringLiteral("按钮1"));
  loginButton_->setGeometry(16, 80, 64, 24);
  connect(loginButton_, &QPushButton::clicked, this, [this] { Login(); });

  registerButton_ = new QPushButton(QStringLiteral("注册"), this);
  registerButton_->setObjectName(QStringLiteral("按钮2"));
  registerButton_->setGeometry(96, 80, 64, 24);
  connect(registerButton_, &QPushButton::clicked, this, [this] { Register(); });

  rememberBox_ = new QCheckBox(QStringLiteral("记住密码and自动登录"), this);
  rememberBox_->setObjectName(QStringLiteral("选择框1"));
  rememberBox_->setGeometry(16, 112, 136, 16);
  // clicked, unlike toggled, comes from the user only: ticking the box from the file at
  // start-up must not write the file back.
  connect(rememberBox_, &QCheckBox::clicked, this, [this] { OnRememberBoxClicked(); });

  trimTimer_ = new QTimer(this);
  trimTimer_->setObjectName(QStringLiteral("时钟1"));
  connect(trimTimer_, &QTimer::timeout, this, [this] { seams_.trimTick(); });

  if (seams_.setVisualStyleMode) seams_.setVisualStyleMode(kLoginWindowVisualStyle);
}

Credentials LoginWindow::Boxes() const {
  return {platform::QStringToGbk(userNameBox_->text()),
          platform::QStringToGbk(passwordBox_->text())};
}

void LoginWindow::RecordSuccess() {
  seams_.markLoggedIn();
  hide();
  trimTimer_->start(kTrimPeriodMs);
}

bool LoginWindow::Login() {
  LoginSeams login;
  login.readBoxes = [this] { return Boxes(); };
  login.post = seams_.post;
  login.dialogs = seams_.dialogs;
  login.onSuccess = [this] { RecordSuccess(); };
  return account::Login(LoginAddress(seams_.sites), login);
}

void LoginWindow::Register() {
  seams_.openInBrowser(RegistrationAddress(seams_.sites));
}

void LoginWindow::OnRememberBoxClicked() {
  const bool ticked = account::OnRememberBoxClicked(rememberBox_->isChecked(), Boxes(),
                                                    seams_.credentialsDirectory, *seams_.dialogs);
  rememberBox_->setChecked(ticked);
}

bool LoginWindow::LoginFromRememberedCredentials() {
  const std::optional<Credentials> remembered = ReadCredentialsFile(seams_.credentialsDirectory);
  if (!remembered) return false;
  userNameBox_->setText(platform::GbkToQString(remembered->userName));
  passwordBox_->setText(platform::GbkToQString(remembered->password));
  rememberBox_->setChecked(true);
  Login();
  return true;
}

void LoginWindow::RewriteRememberedCredentials() {
  RewriteCredentialsAtClose(rememberBox_->isChecked(), Boxes(), seams_.credentialsDirectory);
}

void LoginWindow::OnForumLoginLinkPressed() {
  if (seams_.isLoggedIn()) return;
  if (isVisible()) {
    hide();
  } else {
    show();
    raise();
    activateWindow();
  }
}

}  // namespace account
