#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr mode_t kOwnerReadWrite = 0600;
constexpr mode_t kPermissionBits = 07777;
constexpr char kTemporarySuffix[] = ".XXXXXX";

std::error_code LastError() {
  return std::error_code(errno, std::generic_category());
}

std::error_code WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code FillTemporary(int descriptor, const std::filesystem::path& file,
                              std::string_view bytes, FileAccess access) {
  mode_t mode = kOwnerReadWrite;
  struct stat old {};
  if (access == FileAccess::kKeepExisting && ::stat(file.c_str(), &old) == 0) {
    mode = old.st_mode & kPermissionBits;
  }
  if (::fchmod(descriptor, mode) != 0) return LastError();
  if (std::error_code error = WriteAll(descriptor, bytes)) return error;
  if (::fsync(descriptor) != 0) return LastError();
  return {};
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncDirectory(const std::filesystem::path& directory) {
  const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return std::nullopt;
  std::string bytes;
  char buffer[kReadChunk];
  bool failed = false;
  for (;;) {
    const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    failed = count < 0;
    if (count <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(descriptor);
  if (failed) return std::nullopt;
  return bytes;
}

std::error_code ReplaceFile(const std::filesystem::path& file, std::string_view bytes,
                            FileAccess access) {
  const std::filesystem::path directory =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::string temporary = (directory / file.filename()).native() + kTemporarySuffix;
  const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return LastError();

  std::error_code error = FillTemporary(descriptor, file, bytes, access);
  if (::close(descriptor) != 0 && !error) error = LastError();
  if (!error && ::rename(temporary.c_str(), file.c_str()) != 0) error = LastError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncDirectory(directory);
  return {};
}

}  // namespace platform
