#include "account/login_window.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "account/credentials_file.h"
#include "account/forum_post.h"
#include "demo/demo_site.h"
#include "platform/qt_text.h"
#include "support/scripted_dialogs.h"
#include "text/codepage.h"

namespace account {
namespace {

namespace fs = std::filesystem;

// This file is UTF-8; what the system handles is GBK.
text::Text G(const char* utf8) {
  return text::Utf8ToGbk(utf8);
}

const std::string kDemoUser = "demo";
const std::string kDemoPassword = "qinghe123";

// A forum on 127.0.0.1 that answers the AJAX login the way the real one does: an XML reply
// whose CDATA holds the message and a script.
class LocalForum {
 public:
  LocalForum() {
    server_.Post("/member.php", [this](const httplib::Request& request, httplib::Response& reply) {
      ++requests;
      query = request.get_param_value("mod");
      userName = request.get_param_value("username");
      password = request.get_param_value("password");
      referer = request.get_header_value("Referer");
      fields.clear();
      for (const auto& [name, value] : request.params)
        fields.push_back(name);
      reply.set_content(Reply(), "text/xml; charset=gbk");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    listener_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~LocalForum() {
    server_.stop();
    listener_.join();
  }

  text::Text Base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  std::atomic<int> requests{0};
  std::string query, userName, password, referer;
  std::vector<std::string> fields;

 private:
  std::string Reply() const {
    const std::string head = "<?xml version=\"1.0\" encoding=\"gbk\"?>\n<root><![CDATA[";
    const std::string script =
        "<script type=\"text/javascript\" reload=\"1\">"
        "if(typeof succeedhandle_ls=='function') {}</script>]]></root>";
    if (password.empty()) return head + G("抱歉，密码空或包含非法字符") + script;
    if (userName == kDemoUser && password == kDemoPassword)
      return head + G("欢迎您回来，新手上路 demo，现在将转入登录前页面") + script;
    return head + G("登录失败，您还可以尝试 4 次") + script;
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread listener_;
};

bool WaitFor(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return done();
}

class LoginWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "login_window_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
  }
  void TearDown() override {
    window_.reset();
    fs::remove_all(directory_);
  }

  void Open(const text::Text& forumBase) {
    LoginWindowSeams seams;
    seams.dialogs = &dialogs_;
    seams.post = PostLoginForm;
    seams.isLoggedIn = [this] { return IsLoggedInCaption(caption_); };
    seams.markLoggedIn = [this] { caption_ = LoggedInCaption(); };
    seams.openInBrowser = [this](const text::Text& address) { opened_.push_back(address); };
    sites_.forumBase = forumBase;
    sites_.registrationBase = "http://127.0.0.1:9/reg/";
    seams.sites = sites_;
    seams.credentialsDirectory = directory_;
    seams.trimTick = [this] { ++trimTicks_; };
    seams.setVisualStyleMode = [this](int mode) { styleModes_.push_back(mode); };
    window_ = std::make_unique<LoginWindow>(std::move(seams));
  }
  void Open() { Open(forum_.Base()); }

  template <typename Widget>
  Widget* Control(const QString& name) {
    auto* control = window_->findChild<Widget*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
  }
  QLineEdit* UserNameBox() { return Control<QLineEdit>(QStringLiteral("编辑框1")); }
  QLineEdit* PasswordBox() { return Control<QLineEdit>(QStringLiteral("编辑框2")); }
  QCheckBox* RememberBox() { return Control<QCheckBox>(QStringLiteral("选择框1")); }
  QPushButton* LoginButton() { return Control<QPushButton>(QStringLiteral("按钮1")); }

  void Type(const text::Text& userName, const text::Text& password) {
    UserNameBox()->setText(platform::GbkToQString(userName));
    PasswordBox()->setText(platform::GbkToQString(password));
  }

  std::string FileBytes() const {
    std::ifstream in(CredentialsFilePath(directory_), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  bool LoggedIn() const { return IsLoggedInCaption(caption_); }

  LocalForum forum_;
  platform::Sites sites_;
  testing_support::ScriptedDialogs dialogs_;
  std::string caption_ = LoggedOutCaption();
  std::vector<text::Text> opened_;
  int trimTicks_ = 0;
  std::vector<int> styleModes_;
  fs::path directory_;
  std::unique_ptr<LoginWindow> window_;
};

TEST_F(LoginWindowTest, IsTheFormHiddenWithItsTimerStopped) {
  Open();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("登录"));
  EXPECT_EQ(window_->geometry(), QRect(50, 50, 182, 133));
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(PasswordBox()->echoMode(), QLineEdit::Password);
  PasswordBox()->setText(QStringLiteral("abc"));
  EXPECT_EQ(PasswordBox()->displayText(), QStringLiteral("***"));
  EXPECT_EQ(RememberBox()->text(), QStringLiteral("记住密码and自动登录"));
  EXPECT_FALSE(RememberBox()->isChecked());
  EXPECT_FALSE(window_->TrimTimer().isActive());
  EXPECT_EQ(window_->TrimTimer().objectName(), QStringLiteral("时钟1"));
  EXPECT_EQ(styleModes_, std::vector<int>{2});
}

TEST_F(LoginWindowTest, DemoAccountOpensEveryGateAtOnceAndStartsTrimming) {
  Open();
  window_->OnForumLoginLinkPressed();
  ASSERT_TRUE(window_->isVisible());
  Type(kDemoUser, kDemoPassword);
  LoginButton()->click();

  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].message, G("登录成功"));
  EXPECT_EQ(dialogs_.shown[0].flags, platform::kInformationIcon);
  EXPECT_EQ(dialogs_.shown[0].caption, G("信息："));
  EXPECT_EQ(caption_, G("登录成功"));
  EXPECT_TRUE(LoggedIn());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(window_->TrimTimer().isActive());
  EXPECT_EQ(window_->TrimTimer().interval(), 3500);
  EXPECT_EQ(forum_.requests, 1);
  EXPECT_EQ(forum_.userName, kDemoUser);
  EXPECT_EQ(forum_.referer, LoginAddress(sites_));

  // Logged in, the forum link no longer brings the window back.
  window_->OnForumLoginLinkPressed();
  EXPECT_FALSE(window_->isVisible());

  EXPECT_TRUE(WaitFor([this] { return trimTicks_ > 0; }, 6000));
}

TEST_F(LoginWindowTest, FailuresChangeNothing) {
  struct Case {
    const char* name;
    bool forumDown;
    text::Text password;
    std::string message;
    int flags;
  };
  const std::vector<Case> cases = {
      {"wrong password", false, "wrong", G("登录失败，您还可以尝试 4 次"), platform::kWarningIcon},
      {"empty password", false, "", G("抱歉，密码空或包含非法字符"), platform::kErrorIcon},
      {"forum unreachable", true, kDemoPassword, G("已超过登录次数"), platform::kErrorIcon},
  };
  text::Text closedForum;
  {
    LocalForum gone;
    closedForum = gone.Base();
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs_.shown.clear();
    Open(c.forumDown ? closedForum : forum_.Base());
    window_->OnForumLoginLinkPressed();
    Type(kDemoUser, c.password);
    LoginButton()->click();

    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].message, c.message);
    EXPECT_EQ(dialogs_.shown[0].flags, c.flags);
    EXPECT_EQ(caption_, G("论坛登录"));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(window_->TrimTimer().isActive());
  }
  WaitFor([] { return false; }, 200);
  EXPECT_EQ(trimTicks_, 0);
}

// The demo site's forum and its account, whose password holds "&", "=" and "%".
TEST_F(LoginWindowTest, DemoSiteForumAcceptsItsAccountOnly) {
  demo::DemoSite site;
  ASSERT_TRUE(site.Start());
  Open(site.Sites().forumBase);

  Type(demo::kDemoUser, "wrong");
  LoginButton()->click();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].flags, platform::kWarningIcon);
  EXPECT_FALSE(dialogs_.shown[0].message.empty());
  EXPECT_FALSE(LoggedIn());

  Type(demo::kDemoUser, demo::kDemoPassword);
  LoginButton()->click();
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.shown[1].message, G("登录成功"));
  EXPECT_TRUE(LoggedIn());
  EXPECT_TRUE(window_->TrimTimer().isActive());
}

TEST_F(LoginWindowTest, SpecialCharactersReachTheForumAsTyped) {
  Open();
  Type(G("张&三="), "p=%&x=1");
  LoginButton()->click();
  ASSERT_EQ(forum_.requests, 1);
  EXPECT_EQ(forum_.query, "logging");
  EXPECT_EQ(forum_.userName, G("张&三="));
  EXPECT_EQ(forum_.password, "p=%&x=1");
  EXPECT_EQ(std::count(forum_.fields.begin(), forum_.fields.end(), "x"), 0);
}

TEST_F(LoginWindowTest, RegisterOpensTheRegistrationPage) {
  Open();
  Control<QPushButton>(QStringLiteral("按钮2"))->click();
  EXPECT_EQ(opened_, std::vector<text::Text>{"http://127.0.0.1:9/reg/member.php?mod=register"});
  EXPECT_EQ(forum_.requests, 0);
}

TEST_F(LoginWindowTest, ForumLinkTogglesTheWindowWhileLoggedOut) {
  Open();
  window_->OnForumLoginLinkPressed();
  EXPECT_TRUE(window_->isVisible());
  window_->OnForumLoginLinkPressed();
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(LoginWindowTest, RememberedCredentialsLogInAtStartWhileHidden) {
  Open();
  EXPECT_FALSE(window_->LoginFromRememberedCredentials());
  EXPECT_EQ(forum_.requests, 0);
  EXPECT_TRUE(dialogs_.shown.empty());

  ASSERT_TRUE(WriteCredentialsFile(directory_, {kDemoUser, kDemoPassword}));
  Open();
  EXPECT_TRUE(window_->LoginFromRememberedCredentials());
  EXPECT_EQ(platform::QStringToGbk(UserNameBox()->text()), kDemoUser);
  EXPECT_EQ(platform::QStringToGbk(PasswordBox()->text()), kDemoPassword);
  EXPECT_TRUE(RememberBox()->isChecked());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(LoggedIn());
  EXPECT_TRUE(window_->TrimTimer().isActive());
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].message, G("登录成功"));
}

TEST_F(LoginWindowTest, RememberBoxAndCloseKeepTheFile) {
  Open();
  Type(kDemoUser, "");
  RememberBox()->click();
  EXPECT_FALSE(RememberBox()->isChecked());
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].message, G("帐号或者密码为空"));
  EXPECT_EQ(dialogs_.shown[0].flags, platform::kErrorIcon);
  EXPECT_FALSE(fs::exists(CredentialsFilePath(directory_)));

  Type(kDemoUser, "secret");
  RememberBox()->click();
  EXPECT_TRUE(RememberBox()->isChecked());
  EXPECT_EQ(FileBytes(), G("帐号：demo----secret密码"));

  Type(kDemoUser, "changed");
  window_->RewriteRememberedCredentials();
  EXPECT_EQ(FileBytes(), G("帐号：demo----changed密码"));

  RememberBox()->click();
  EXPECT_FALSE(RememberBox()->isChecked());
  EXPECT_FALSE(fs::exists(CredentialsFilePath(directory_)));
  window_->RewriteRememberedCredentials();
  EXPECT_FALSE(fs::exists(CredentialsFilePath(directory_)));
  EXPECT_EQ(forum_.requests, 0);
}

}  // namespace
}  // namespace account
