#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/sites.h"
#include "text/text.h"

namespace account {

// The caption of the main window's forum-login link once the forum has accepted the user; the
// whole system reads the login state from that caption. (Functions rather than constants in
// this header: a window source that includes it is not compiled as GBK.)
text::Text LoggedInCaption();

// The caption the forum-login link starts with.
text::Text LoggedOutCaption();

// The forum asks for the login again with a script redirect; a forum that keeps asking must not
// hold the window forever, so the login is repeated this many times at most.
inline constexpr int kMaxLoginRepeats = 3;

// The period of the memory-trimming timer that a successful login starts.
inline constexpr int kTrimPeriodMs = 3500;

bool IsLoggedInCaption(std::string_view caption);

// The forum's AJAX login address and the registration page, from their base addresses.
text::Text LoginAddress(const platform::Sites& sites);
text::Text RegistrationAddress(const platform::Sites& sites);

// Form encoding of GBK bytes: letters, digits and "-._*" stay, a space becomes "+", every other
// byte becomes "%XX". Keeps "&", "=" and "%" in a name from changing the form's fields.
std::string FormEncode(std::string_view gbk);

// The body posted to the login address.
std::string LoginBody(std::string_view userName, std::string_view password);

// What the forum's reply means, decided by the first of these texts found in it.
enum class ReplyKind {
  kRefused,       // "登录失败": the forum's explanation follows in CDATA
  kWelcome,       // "欢迎您回来": logged in
  kBadPassword,   // "抱歉，密码空或包含非法字符"
  kAskedAgain,    // "window.location.href": the forum wants the login repeated
  kUnrecognised,  // none of them, an empty reply after a network failure among others
};
ReplyKind ClassifyReply(std::string_view reply);

// The message box a final reply shows: its text and flags.
struct ReplyMessage {
  text::Text message;
  int flags;
};
ReplyMessage MessageForReply(ReplyKind kind, std::string_view reply);

struct Credentials {
  text::Text userName;
  text::Text password;
};

// Posts `body` to `address` and returns the reply bytes; empty bytes when nothing came back.
using PostForm = std::function<std::string(const text::Text& address, const std::string& body)>;

// Everything the login needs from its surroundings.
struct LoginSeams {
  // Reads the user name and password boxes; called again for every repeat.
  std::function<Credentials()> readBoxes;
  PostForm post;
  platform::Dialogs* dialogs = nullptr;
  // Records the login: caption, hidden window, timer. Called after the success message box.
  std::function<void()> onSuccess;
};

// Posts the boxes' credentials, repeats while the forum asks for it (at most kMaxLoginRepeats
// times), shows the outcome and calls onSuccess on success. Returns whether the user is now
// logged in.
bool Login(const text::Text& loginAddress, const LoginSeams& seams);

}  // namespace account
