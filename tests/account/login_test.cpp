#include "account/login.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_dialogs.h"

namespace account {
namespace {

struct ReplyCase {
  const char* name;
  std::string reply;
  ReplyKind kind;
  std::string message;
  int flags;
};

TEST(ForumReply, IsClassifiedByTheFirstMarkerInOrder) {
  const std::string refusal =
      "<?xml version=\"1.0\" encoding=\"gbk\"?><root><![CDATA[登录失败，您还可以尝试 4 次"
      "<script type=\"text/javascript\" reload=\"1\">errorhandle_ls('x', {});</script>]]></root>";
  const std::vector<ReplyCase> cases = {
      {"forum refusal shows its explanation", refusal, ReplyKind::kRefused,
       "登录失败，您还可以尝试 4 次", platform::kWarningIcon},
      {"refusal wins over welcome", "<![CDATA[欢迎您回来，登录失败<script>", ReplyKind::kRefused,
       "欢迎您回来，登录失败", platform::kWarningIcon},
      {"refusal without markers shows empty text", "登录失败", ReplyKind::kRefused, "",
       platform::kWarningIcon},
      {"welcome", "<root><![CDATA[欢迎您回来，demo<script>]]></root>", ReplyKind::kWelcome,
       "登录成功", platform::kInformationIcon},
      {"welcome wins over a redirect", "欢迎您回来 window.location.href='/'", ReplyKind::kWelcome,
       "登录成功", platform::kInformationIcon},
      {"empty or illegal password", "<![CDATA[抱歉，密码空或包含非法字符<script>",
       ReplyKind::kBadPassword, "抱歉，密码空或包含非法字符", platform::kErrorIcon},
      {"redirect asks again", "<script>window.location.href='forum.php'</script>",
       ReplyKind::kAskedAgain, "已超过登录次数", platform::kErrorIcon},
      {"empty reply after a network failure", "", ReplyKind::kUnrecognised, "已超过登录次数",
       platform::kErrorIcon},
      {"unrelated page", "<html>502 Bad Gateway</html>", ReplyKind::kUnrecognised, "已超过登录次数",
       platform::kErrorIcon},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ClassifyReply(c.reply), c.kind);
    const ReplyMessage shown = MessageForReply(c.kind, c.reply);
    EXPECT_EQ(shown.message, c.message);
    EXPECT_EQ(shown.flags, c.flags);
  }
}

TEST(LoginBody, EncodesBothValuesSoTheyCannotChangeTheFields) {
  struct Case {
    std::string value;
    std::string encoded;
  };
  const std::vector<Case> cases = {
      {"demo", "demo"},
      {"a&b=c%d", "a%26b%3Dc%25d"},
      {"a&password=x", "a%26password%3Dx"},
      {"张三", "%D5%C5%C8%FD"},
      {"x y+z", "x+y%2Bz"},
      {"Az09-._*", "Az09-._*"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormEncode(c.value), c.encoded);
  }
  EXPECT_EQ(LoginBody("张&三", "p=%"),
            "fastloginfield=username&username=%D5%C5%26%C8%FD&password=p%3D%25"
            "&quickforward=yes&handlekey=ls");
}

TEST(Addresses, FollowTheirBases) {
  platform::Sites sites;
  sites.forumBase = "http://127.0.0.1:8080/bbs/";
  sites.registrationBase = "http://127.0.0.2/";
  EXPECT_EQ(LoginAddress(sites),
            "http://127.0.0.1:8080/bbs/member.php?mod=logging&action=login&loginsubmit=yes"
            "&infloat=yes&lssubmit=yes&inajax=1");
  EXPECT_EQ(RegistrationAddress(sites), "http://127.0.0.2/member.php?mod=register");
  EXPECT_TRUE(IsLoggedInCaption("登录成功"));
  EXPECT_FALSE(IsLoggedInCaption("论坛登录"));
  EXPECT_FALSE(IsLoggedInCaption("登录成功 "));
}

// Drives Login with a forum that answers from a list, and records what was posted.
class ScriptedForum {
 public:
  explicit ScriptedForum(std::vector<std::string> replies) : replies_(std::move(replies)) {}

  LoginSeams Seams() {
    LoginSeams seams;
    seams.readBoxes = [this] {
      ++reads;
      return boxes;
    };
    seams.post = [this](const text::Text& address, const std::string& body) {
      addresses.push_back(address);
      bodies.push_back(body);
      const std::size_t i = bodies.size() - 1;
      return i < replies_.size() ? replies_[i] : replies_.back();
    };
    seams.dialogs = &dialogs;
    seams.onSuccess = [this] {
      ++successes;
      messagesAtSuccess = dialogs.shown.size();
    };
    return seams;
  }

  Credentials boxes{"demo", "secret"};
  int reads = 0;
  int successes = 0;
  std::size_t messagesAtSuccess = 0;
  std::vector<text::Text> addresses;
  std::vector<std::string> bodies;
  testing_support::ScriptedDialogs dialogs;

 private:
  std::vector<std::string> replies_;
};

const std::string kAskAgain = "<script>window.location.href='member.php'</script>";
const std::string kWelcome = "<![CDATA[欢迎您回来，demo<script>";

TEST(Login, RepeatsWhileAskedAtMostThreeTimes) {
  ScriptedForum forum({kAskAgain});
  EXPECT_FALSE(Login("http://127.0.0.1/login", forum.Seams()));
  EXPECT_EQ(forum.bodies.size(), 1u + kMaxLoginRepeats);
  EXPECT_EQ(forum.successes, 0);
  ASSERT_EQ(forum.dialogs.shown.size(), 1u);
  EXPECT_EQ(forum.dialogs.shown[0].message, "已超过登录次数");
  EXPECT_EQ(forum.dialogs.shown[0].flags, platform::kErrorIcon);
  EXPECT_EQ(forum.dialogs.shown[0].caption, "信息：");
}

TEST(Login, RepeatReadsTheBoxesAgainAndCanSucceed) {
  ScriptedForum forum({kAskAgain, kAskAgain, kWelcome});
  auto seams = forum.Seams();
  auto read = seams.readBoxes;
  seams.readBoxes = [&] {
    forum.boxes.password = "try" + std::to_string(forum.reads);
    return read();
  };
  EXPECT_TRUE(Login("http://127.0.0.1/login", seams));
  ASSERT_EQ(forum.bodies.size(), 3u);
  EXPECT_NE(forum.bodies[0].find("&password=try0&"), std::string::npos);
  EXPECT_NE(forum.bodies[2].find("&password=try2&"), std::string::npos);
  for (const text::Text& address : forum.addresses)
    EXPECT_EQ(address, "http://127.0.0.1/login");
  EXPECT_EQ(forum.successes, 1);
  ASSERT_EQ(forum.dialogs.shown.size(), 1u);
  EXPECT_EQ(forum.dialogs.shown[0].message, "登录成功");
  EXPECT_EQ(forum.dialogs.shown[0].flags, platform::kInformationIcon);
  EXPECT_EQ(forum.messagesAtSuccess, 1u);
}

TEST(Login, FailuresChangeNothing) {
  for (const std::string& reply :
       {std::string("<![CDATA[登录失败，密码错误<script>"), std::string(),
        std::string("抱歉，密码空或包含非法字符"),
        // Text ends at the first zero byte: a welcome after it does not count.
        std::string("ok\0欢迎您回来", 13)}) {
    SCOPED_TRACE(reply);
    ScriptedForum forum({reply});
    EXPECT_FALSE(Login("http://127.0.0.1/login", forum.Seams()));
    EXPECT_EQ(forum.bodies.size(), 1u);
    EXPECT_EQ(forum.successes, 0);
    EXPECT_EQ(forum.dialogs.shown.size(), 1u);
  }
}

}  // namespace
}  // namespace account
