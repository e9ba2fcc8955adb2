#include "demo/forum.h"

#include <algorithm>
#include <random>

#include "demo/demo_site.h"
#include "demo/form_body.h"
#include "demo/html_page.h"

namespace demo {
namespace {

// The forum counts down the attempts left after a refused password; the demo never locks an
// account out, so the count stops at one.
constexpr int kLoginAttempts = 5;
constexpr std::size_t kRememberedFailures = 1000;
constexpr char kUserGroup[] = "新手上路";
constexpr char kEmptyOrIllegalPassword[] = "抱歉，密码空或包含非法字符";

std::string XmlReply(std::string_view cdata) {
  std::string reply = "<?xml version=\"1.0\" encoding=\"gbk\"?>\n<root><![CDATA[";
  reply += cdata;
  reply += "]]></root>";
  return reply;
}

// Script text inside single quotes.
std::string EscapeScript(std::string_view raw) {
  std::string escaped;
  for (char c : raw) {
    if (c == '\\' || c == '\'') escaped += '\\';
    if (c == '<') {
      escaped += "\\x3c";
      continue;
    }
    escaped += c;
  }
  return escaped;
}

std::string ErrorReply(std::string_view message, std::string_view extra) {
  std::string cdata(message);
  cdata +=
      "<script type=\"text/javascript\" reload=\"1\">if(typeof errorhandle_ls=='function') "
      "{errorhandle_ls('";
  cdata += EscapeScript(message);
  cdata += "', {";
  cdata += extra;
  cdata += "});}</script>";
  return XmlReply(cdata);
}

// Like the real forum's, the welcome reply also carries "window.location.href" (the page it
// turns to after the greeting), so a client must look for the greeting first.
std::string WelcomeReply(std::string_view user, std::string_view homeAddress) {
  std::string message = "欢迎您回来，";
  message += kUserGroup;
  message += ' ';
  message += user;
  message += "，现在将转入登录前页面";
  const std::string home = EscapeScript(homeAddress);
  std::string cdata =
      "<script type=\"text/javascript\" reload=\"1\">if(typeof succeedhandle_ls=='function') "
      "{succeedhandle_ls('";
  cdata += home + "', '" + EscapeScript(message) + "', {'username':'" + EscapeScript(user) +
           "','usergroup':'" + kUserGroup + "','uid':'1','groupid':'10','syn':'0'});}";
  cdata += "hideWindow('ls');showDialog('" + EscapeScript(message) +
           "', 'right', null, function () { window.location.href ='" + home +
           "'; }, 0, null, null, null, null, null, 3);</script>";
  return XmlReply(cdata);
}

std::string NewSessionId() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  constexpr char kHex[] = "0123456789abcdef";
  std::string id;
  for (int i = 0; i < 32; ++i)
    id += kHex[generator() % 16];
  return id;
}

// The forum refuses passwords its database layer would have to escape.
bool EmptyOrIllegal(std::string_view password) {
  return password.empty() || password.find_first_of("'\"\\") != std::string_view::npos;
}

}  // namespace

Forum::LoginReply Forum::Login(std::string_view formBody, std::string_view homeAddress) {
  const auto fields = ParseForm(formBody);
  const auto field = [&fields](const char* name) {
    auto found = fields.find(name);
    return found == fields.end() ? std::string() : found->second;
  };
  const std::string user = field("username");
  const std::string password = field("password");
  if (EmptyOrIllegal(password)) return {ErrorReply(kEmptyOrIllegalPassword, ""), {}};

  std::lock_guard lock(mutex_);
  if (user == kDemoUser && password == kDemoPassword) {
    failures_.erase(user);
    std::string session = NewSessionId();
    sessions_[session] = user;
    return {WelcomeReply(user, homeAddress), std::move(session)};
  }
  // Anyone may post any name; the table of refused names stays small.
  if (failures_.size() >= kRememberedFailures && !failures_.contains(user)) failures_.clear();
  const int left = std::max(1, kLoginAttempts - ++failures_[user]);
  const std::string count = std::to_string(left);
  return {ErrorReply("登录失败，您还可以尝试 " + count + " 次", "'loginperm':'" + count + "'"), {}};
}

std::string Forum::SessionUser(std::string_view cookieHeader) const {
  const std::string prefix = std::string(kSessionCookie) + "=";
  while (!cookieHeader.empty()) {
    const std::size_t end = cookieHeader.find(';');
    std::string_view cookie = cookieHeader.substr(0, end);
    cookieHeader.remove_prefix(end == std::string_view::npos ? cookieHeader.size() : end + 1);
    while (!cookie.empty() && cookie.front() == ' ')
      cookie.remove_prefix(1);
    if (cookie.substr(0, prefix.size()) != prefix) continue;
    std::lock_guard lock(mutex_);
    auto found = sessions_.find(std::string(cookie.substr(prefix.size())));
    if (found != sessions_.end()) return found->second;
  }
  return {};
}

namespace {

constexpr char kForumStyle[] =
    "body{margin:0;background:#eef2f6;font:14px 'Noto Sans CJK SC',sans-serif;color:#333}\n"
    ".hd{background:#2b5d8a;color:#fff;padding:18px 40px;font-size:24px}\n"
    ".hd small{font-size:13px;margin-left:16px;opacity:.8}\n"
    ".user{background:#fff;padding:10px 40px;border-bottom:1px solid #d5dde5}\n"
    ".box{background:#fff;margin:20px 40px;padding:16px 20px;border:1px solid #d5dde5}\n"
    ".box h2{font-size:16px;margin:0 0 10px;color:#2b5d8a}\n"
    "table{border-collapse:collapse;width:100%}td{padding:8px;border-top:1px solid #eee}\n"
    "label{display:inline-block;width:80px}input{margin:6px 0}\n";

}  // namespace

std::string Forum::HomePage(std::string_view user) {
  std::string body = "<div class=\"hd\">青禾论坛<small>青禾云点播官方交流区</small></div>\n";
  body += "<div class=\"user\">";
  if (user.empty()) {
    body += "您好，游客。请在青禾云点播客户端中登录论坛。";
  } else {
    body += EscapeHtml(user);
    body += "，欢迎您回来（";
    body += kUserGroup;
    body += "）";
  }
  body +=
      "</div>\n<div class=\"box\"><h2>版块</h2><table>"
      "<tr><td>公告与帮助</td><td>客户端更新说明、常见问题</td></tr>"
      "<tr><td>资源分享</td><td>好看的片子一起分享</td></tr>"
      "<tr><td>解析核心</td><td>各播放核心的使用反馈</td></tr>"
      "</table></div>\n";
  return HtmlPage("青禾论坛 - 首页", kForumStyle, body);
}

std::string Forum::RegistrationPage(std::string_view homeAddress) {
  std::string body = "<div class=\"hd\">青禾论坛<small>注册</small></div>\n<div class=\"box\">";
  body +=
      "<h2>注册新帐号</h2><form onsubmit=\"return false\">"
      "<label>用户名</label><input type=\"text\" name=\"username\"><br>"
      "<label>密码</label><input type=\"password\" name=\"password\"><br>"
      "<label>确认密码</label><input type=\"password\" name=\"password2\"><br>"
      "<label>Email</label><input type=\"text\" name=\"email\"><br>"
      "<input type=\"submit\" value=\"提交\"></form>"
      "<p>本地演示站点不开放注册，请使用演示帐号登录。<a href=\"";
  body += EscapeHtml(homeAddress);
  body += "\">返回论坛</a></p></div>\n";
  return HtmlPage("青禾论坛 - 注册", kForumStyle, body);
}

}  // namespace demo
