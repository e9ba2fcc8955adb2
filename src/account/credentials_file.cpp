#include "account/credentials_file.h"

#include "platform/files.h"
#include "text/edit.h"
#include "text/search.h"

namespace account {
namespace {

// The file name is UTF-8 on disk whatever the program's text is, hence a UTF-8 literal.
constexpr char8_t kFileName[] = u8"lumox密码.dcb";

constexpr std::string_view kUserMarker = "帐号：";
constexpr std::string_view kSeparator = "----";
constexpr std::string_view kPasswordMarker = "密码";

constexpr std::string_view kEmptyBoxes = "帐号或者密码为空";

}  // namespace

std::filesystem::path CredentialsFilePath(const std::filesystem::path& directory) {
  return directory / std::filesystem::path(kFileName);
}

std::string CredentialsFileBytes(const Credentials& credentials) {
  std::string bytes;
  bytes.reserve(kUserMarker.size() + credentials.userName.size() + kSeparator.size() +
                credentials.password.size() + kPasswordMarker.size());
  bytes += kUserMarker;
  bytes += credentials.userName;
  bytes += kSeparator;
  bytes += credentials.password;
  bytes += kPasswordMarker;
  return bytes;
}

Credentials ParseCredentialsFile(std::string_view bytes) {
  const text::Text content = text::UntilZeroByte(bytes);
  return {text::TextBetween(content, kUserMarker, kSeparator),
          text::TextBetween(content, kSeparator, kPasswordMarker)};
}

std::optional<Credentials> ReadCredentialsFile(const std::filesystem::path& directory) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(CredentialsFilePath(directory));
  if (!bytes) return std::nullopt;
  return ParseCredentialsFile(*bytes);
}

// The password is kept in clear text, so the file is for its owner's eyes only.
bool WriteCredentialsFile(const std::filesystem::path& directory, const Credentials& credentials) {
  return !platform::ReplaceFile(CredentialsFilePath(directory), CredentialsFileBytes(credentials),
                                platform::FileAccess::kOwnerOnly);
}

bool DeleteCredentialsFile(const std::filesystem::path& directory) {
  std::error_code error;
  return std::filesystem::remove(CredentialsFilePath(directory), error);
}

bool OnRememberBoxClicked(bool nowTicked, const Credentials& boxes,
                          const std::filesystem::path& directory, platform::Dialogs& dialogs) {
  if (boxes.userName.empty() || boxes.password.empty()) {
    dialogs.ShowMessage(kEmptyBoxes, platform::kErrorIcon);
    return false;
  }
  if (nowTicked)
    WriteCredentialsFile(directory, boxes);
  else
    DeleteCredentialsFile(directory);
  return nowTicked;
}

void RewriteCredentialsAtClose(bool ticked, const Credentials& boxes,
                               const std::filesystem::path& directory) {
  if (ticked) WriteCredentialsFile(directory, boxes);
}

}  // namespace account
