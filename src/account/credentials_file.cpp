#include "account/credentials_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "text/edit.h"
#include "text/search.h"

namespace account {
namespace {

// The file name is UTF-8 on disk whatever the program's text is, hence a UTF-8 literal.
constexpr char8_t kFileName[] = u8"lumox密码.dcb";
constexpr std::string_view kPendingSuffix = ".new";

constexpr std::string_view kUserMarker = "帐号：";
constexpr std::string_view kSeparator = "----";
constexpr std::string_view kPasswordMarker = "密码";

constexpr std::string_view kEmptyBoxes = "帐号或者密码为空";

constexpr mode_t kOwnerOnly = 0600;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

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
  std::ifstream in(CredentialsFilePath(directory), std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseCredentialsFile(bytes);
}

bool WriteCredentialsFile(const std::filesystem::path& directory, const Credentials& credentials) {
  const std::filesystem::path target = CredentialsFilePath(directory);
  std::filesystem::path pending = target;
  pending += std::string(kPendingSuffix);

  const int fd =
      ::open(pending.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, kOwnerOnly);
  if (fd < 0) return false;
  // A pending file left by an earlier run may carry wider permissions than asked for.
  bool ok = ::fchmod(fd, kOwnerOnly) == 0 && WriteAll(fd, CredentialsFileBytes(credentials));
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(pending.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(pending.c_str());
  return ok;
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
