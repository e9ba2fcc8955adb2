#include "account/login.h"

#include <array>

#include "text/edit.h"
#include "text/search.h"

namespace account {
namespace {

constexpr std::string_view kLoggedInCaption = "登录成功";
constexpr std::string_view kLoggedOutCaption = "论坛登录";

constexpr std::string_view kLoginPath =
    "member.php?mod=logging&action=login&loginsubmit=yes&infloat=yes&lssubmit=yes&inajax=1";
constexpr std::string_view kRegistrationPath = "member.php?mod=register";

constexpr std::string_view kRefusedMarker = "登录失败";
constexpr std::string_view kWelcomeMarker = "欢迎您回来";
constexpr std::string_view kBadPasswordMarker = "抱歉，密码空或包含非法字符";
constexpr std::string_view kAskedAgainMarker = "window.location.href";

constexpr std::string_view kExplanationLeft = "CDATA[";
constexpr std::string_view kExplanationRight = "<script";

constexpr std::string_view kTooManyAttempts = "已超过登录次数";

bool Contains(std::string_view reply, std::string_view marker) {
  return text::Find(reply, marker) != text::kNotFound;
}

bool KeptInForm(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
         (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '*';
}

}  // namespace

text::Text LoggedInCaption() {
  return std::string(kLoggedInCaption);
}

text::Text LoggedOutCaption() {
  return std::string(kLoggedOutCaption);
}

bool IsLoggedInCaption(std::string_view caption) {
  return caption == kLoggedInCaption;
}

text::Text LoginAddress(const platform::Sites& sites) {
  return sites.forumBase + std::string(kLoginPath);
}

text::Text RegistrationAddress(const platform::Sites& sites) {
  return sites.registrationBase + std::string(kRegistrationPath);
}

std::string FormEncode(std::string_view gbk) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(gbk.size() * 3);
  for (const char c : gbk) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptInForm(byte)) {
      encoded += c;
    } else if (byte == ' ') {
      encoded += '+';
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

std::string LoginBody(std::string_view userName, std::string_view password) {
  return "fastloginfield=username&username=" + FormEncode(userName) +
         "&password=" + FormEncode(password) + "&quickforward=yes&handlekey=ls";
}

ReplyKind ClassifyReply(std::string_view reply) {
  // The order decides a reply holding several markers: a refusal wins over a welcome.
  static constexpr std::array<std::pair<std::string_view, ReplyKind>, 4> kOrder = {{
      {kRefusedMarker, ReplyKind::kRefused},
      {kWelcomeMarker, ReplyKind::kWelcome},
      {kBadPasswordMarker, ReplyKind::kBadPassword},
      {kAskedAgainMarker, ReplyKind::kAskedAgain},
  }};
  for (const auto& [marker, kind] : kOrder)
    if (Contains(reply, marker)) return kind;
  return ReplyKind::kUnrecognised;
}

ReplyMessage MessageForReply(ReplyKind kind, std::string_view reply) {
  switch (kind) {
    case ReplyKind::kRefused:
      return {text::TextBetween(reply, kExplanationLeft, kExplanationRight),
              platform::kWarningIcon};
    case ReplyKind::kWelcome:
      return {std::string(kLoggedInCaption), platform::kInformationIcon};
    case ReplyKind::kBadPassword:
      return {std::string(kBadPasswordMarker), platform::kErrorIcon};
    case ReplyKind::kAskedAgain:
    case ReplyKind::kUnrecognised:
      break;
  }
  return {std::string(kTooManyAttempts), platform::kErrorIcon};
}

bool Login(const text::Text& loginAddress, const LoginSeams& seams) {
  ReplyKind kind = ReplyKind::kAskedAgain;
  std::string reply;
  for (int attempt = 0; attempt <= kMaxLoginRepeats && kind == ReplyKind::kAskedAgain; ++attempt) {
    const Credentials credentials = seams.readBoxes();
    reply = text::UntilZeroByte(
        seams.post(loginAddress, LoginBody(credentials.userName, credentials.password)));
    kind = ClassifyReply(reply);
  }
  const ReplyMessage shown = MessageForReply(kind, reply);
  seams.dialogs->ShowMessage(shown.message, shown.flags);
  if (kind != ReplyKind::kWelcome) return false;
  if (seams.onSuccess) seams.onSuccess();
  return true;
}

}  // namespace account
