#include "library/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/paths.h"
#include "text/edit.h"

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

// Entry numbers are ints; no number needs more digits than this.
constexpr std::size_t kMaxDigits = std::numeric_limits<int>::digits10 + 1;
constexpr std::size_t kNone = std::string_view::npos;

std::size_t DigitCount(int number) {
  std::size_t count = 1;
  for (; number >= 10; number /= 10)
    ++count;
  return count;
}

bool IsDigit(char byte) {
  return byte >= '0' && byte <= '9';
}

// Every place where a marker followed by an entry number starts on a character boundary, so
// that each lookup of "marker + number" is one hash look-up instead of a search through the
// whole text: loading stays linear in the file's size however long the list. A marker followed
// by the digits "123" stands for the numbers 1, 12 and 123 alike, as a text search would find
// all three there.
class MarkerIndex {
 public:
  MarkerIndex(std::string_view content, std::string_view marker) {
    for (std::size_t at = 0; at < content.size();
         at += text::IsLeadByte(static_cast<unsigned char>(content[at])) ? 2 : 1) {
      if (content.compare(at, marker.size(), marker) != 0) continue;
      std::uint64_t value = 0;
      for (std::size_t digit = 0; digit < kMaxDigits; ++digit) {
        const std::size_t place = at + marker.size() + digit;
        if (place >= content.size() || !IsDigit(content[place])) break;
        value = value * 10 + static_cast<std::uint64_t>(content[place] - '0');
        places_[Key(value, digit + 1)].push_back(at);
      }
    }
  }

  // The first place of the marker followed by `number`'s digits at or after `from`.
  std::size_t First(int number, std::size_t from) const {
    const auto found = places_.find(Key(static_cast<std::uint64_t>(number), DigitCount(number)));
    if (found == places_.end()) return kNone;
    const auto place = std::lower_bound(found->second.begin(), found->second.end(), from);
    return place == found->second.end() ? kNone : *place;
  }

 private:
  // Digits and their count, since "01" is no number's digits although its value is 1.
  static std::uint64_t Key(std::uint64_t value, std::size_t digits) { return value * 16 + digits; }

  std::unordered_map<std::uint64_t, std::vector<std::size_t>> places_;
};

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
  const MarkerIndex names(content, kNameMarker);
  const MarkerIndex separators(content, kAddressMarker);
  const MarkerIndex ends(content, kEndMarker);
  std::vector<SavedEntry> entries;
  for (int number = 0; number < std::numeric_limits<int>::max(); ++number) {
    const std::size_t digits = DigitCount(number);
    const std::size_t nameMarker = names.First(number, 0);
    if (nameMarker == kNone) break;
    SavedEntry entry;
    const std::size_t nameStart = nameMarker + kNameMarker.size() + digits;
    if (const std::size_t nameEnd = separators.First(number, nameStart); nameEnd != kNone)
      entry.name = content.substr(nameStart, nameEnd - nameStart);
    // The address marker is looked up from the start of the text, not from the entry's line.
    if (const std::size_t addressMarker = separators.First(number, 0); addressMarker != kNone) {
      const std::size_t addressStart = addressMarker + kAddressMarker.size() + digits;
      if (const std::size_t addressEnd = ends.First(number, addressStart); addressEnd != kNone)
        entry.playAddress = content.substr(addressStart, addressEnd - addressStart);
    }
    entries.push_back(std::move(entry));
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
