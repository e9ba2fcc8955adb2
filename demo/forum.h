#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace demo {

inline constexpr char kForumLoginPath[] = "/member.php";
inline constexpr char kForumHomePath[] = "/forum.php";
inline constexpr char kSessionCookie[] = "qinghe_demo_auth";
inline constexpr char kXmlContentType[] = "text/xml; charset=gbk";

// The demo forum: its AJAX login, which answers with the same XML-wrapped script fragments as
// the real forum's, and the sessions that a successful login opens. Safe to call from the
// server's worker threads.
class Forum {
 public:
  struct LoginReply {
    std::string body;     // the XML reply, GBK
    std::string session;  // a new session id when the login succeeded, else empty
  };

  // Answers a login whose form body (GBK, percent-encoded) is `formBody`; `homeAddress` is
  // where the welcome script sends the browser.
  LoginReply Login(std::string_view formBody, std::string_view homeAddress);

  // The user name of the session named in a Cookie header, or empty when there is none.
  std::string SessionUser(std::string_view cookieHeader) const;

  // The forum home page, greeting `user` when one is logged in.
  static std::string HomePage(std::string_view user);
  // The registration page.
  static std::string RegistrationPage(std::string_view homeAddress);

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string> sessions_;  // session id -> user name
  std::map<std::string, int> failures_;          // user name -> refused logins
};

}  // namespace demo
