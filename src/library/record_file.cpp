#include "library/record_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/files.h"
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
  return ParseRecordFile(platform::ReadWholeFile(path).value_or(std::string()));
}

std::error_code WriteRecordFile(const std::filesystem::path& path,
                                const std::vector<SavedEntry>& rowsFromTop) {
  if (rowsFromTop.empty()) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return error;
  }
  return platform::ReplaceFile(path, RecordFileText(rowsFromTop),
                               platform::FileAccess::kKeepExisting);
}

}  // namespace library
