#include "library/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/paths.h"
#include "text/edit.h"
#include "text/search.h"

namespace library {
namespace {

// The file name is UTF-8 on disk whatever the charset of the text inside.
constexpr char8_t kRecordFileName[] = u8"lumox记录.dcb";

constexpr std::string_view kNameMarker = "名称：";
constexpr std::string_view kAddressMarker = "----";
constexpr std::string_view kEndMarker = "播放地址";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kReadChunk = 64 * 1024;

std::error_code LastError() {
  return std::error_code(errno, std::generic_category());
}

// Writes every byte, resuming after interrupted or partial writes.
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

// Fills the temporary file and makes it durable; the caller renames or removes it.
std::error_code FillTemporary(int descriptor, const std::filesystem::path& target,
                              std::string_view bytes) {
  // The replacement keeps the permissions the user gave the old file.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && ::fchmod(descriptor, old.st_mode & 07777) != 0)
    return LastError();
  if (std::error_code error = WriteAll(descriptor, bytes)) return error;
  if (::fsync(descriptor) != 0) return LastError();
  return {};
}

void SyncDirectory(const std::filesystem::path& directory) {
  const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

std::filesystem::path RecordFilePath() {
  return platform::DataDirectory() / kRecordFileName;
}

text::Text RecordLine(int number, const SavedEntry& entry) {
  const std::string digits = std::to_string(number);
  text::Text line;
  line.reserve(kNameMarker.size() + kAddressMarker.size() + kEndMarker.size() + kLineEnd.size() +
               3 * digits.size() + entry.name.size() + entry.playAddress.size());
  line.append(kNameMarker).append(digits).append(entry.name);
  line.append(kAddressMarker).append(digits).append(entry.playAddress);
  line.append(kEndMarker).append(digits).append(kLineEnd);
  return line;
}

text::Text RecordFileText(const std::vector<SavedEntry>& rowsFromTop) {
  text::Text file;
  for (std::size_t row = 0; row < rowsFromTop.size(); ++row)
    file += RecordLine(static_cast<int>(row), rowsFromTop[row]);
  return file;
}

std::vector<SavedEntry> ParseRecordFile(std::string_view bytes) {
  const text::Text content = text::UntilZeroByte(bytes);
  std::vector<SavedEntry> entries;
  for (int number = 0;; ++number) {
    const std::string digits = std::to_string(number);
    const text::Text nameMarker = text::Text(kNameMarker) + digits;
    if (text::Find(content, nameMarker) == text::kNotFound) break;
    const text::Text addressMarker = text::Text(kAddressMarker) + digits;
    const text::Text endMarker = text::Text(kEndMarker) + digits;
    entries.push_back({text::TextBetween(content, nameMarker, addressMarker),
                       text::TextBetween(content, addressMarker, endMarker)});
  }
  return entries;
}

std::vector<SavedEntry> ReadRecordFile(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return {};
  std::string bytes;
  char buffer[kReadChunk];
  for (;;) {
    const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) bytes.clear();
    if (count <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(descriptor);
  return ParseRecordFile(bytes);
}

std::error_code WriteRecordFile(const std::filesystem::path& path,
                                const std::vector<SavedEntry>& rowsFromTop) {
  if (rowsFromTop.empty()) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return LastError();
    return {};
  }
  const std::filesystem::path directory =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  std::string temporary = (directory / path.filename()).native() + ".XXXXXX";
  const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return LastError();

  std::error_code error = FillTemporary(descriptor, path, RecordFileText(rowsFromTop));
  if (::close(descriptor) != 0 && !error) error = LastError();
  if (!error && ::rename(temporary.c_str(), path.c_str()) != 0) error = LastError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncDirectory(directory);
  return {};
}

}  // namespace library
