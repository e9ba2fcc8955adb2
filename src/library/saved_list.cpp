#include "library/saved_list.h"

#include "library/record_file.h"
#include "text/search.h"

namespace library {
namespace {

constexpr std::string_view kManualPrompt =
    "请手动添加分割线为如泰囧----青禾云点播在线观看国语中字.rmvb";
constexpr std::string_view kBadManualInput = "请输入正确的文本";
constexpr std::string_view kLoginFirst = "请先登录论坛";

constexpr std::string_view kSeparator = "----";
// The input is framed by these two so that the name and the address are both cut by
// TextBetween: an address holding "地址" is cut there.
constexpr std::string_view kManualNameFrame = "名称";
constexpr std::string_view kManualAddressFrame = "地址";

}  // namespace

void LoadSavedList(const std::filesystem::path& recordFile,
                   const std::function<void(const SavedEntry&)>& addSavedEntry) {
  const std::vector<SavedEntry> entries = ReadRecordFile(recordFile);
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
    addSavedEntry(*entry);
}

std::error_code SaveSavedList(const std::filesystem::path& recordFile, bool loggedIn,
                              const std::vector<SavedEntry>& rowsFromTop) {
  if (!loggedIn) return {};
  return WriteRecordFile(recordFile, rowsFromTop);
}

std::optional<SavedEntry> ParseManualEntry(std::string_view input) {
  if (text::Find(input, kSeparator) == text::kNotFound) return std::nullopt;
  text::Text framed(kManualNameFrame);
  framed.append(input).append(kManualAddressFrame);
  return SavedEntry{text::TextBetween(framed, kManualNameFrame, kSeparator),
                    text::TextBetween(framed, kSeparator, kManualAddressFrame)};
}

std::optional<SavedEntry> AskManualEntry(platform::Dialogs& dialogs) {
  // Cancelling is not told apart from confirming: the input is then simply empty.
  const text::Text input = dialogs.AskText(kManualPrompt).value_or(text::Text());
  std::optional<SavedEntry> entry = ParseManualEntry(input);
  if (!entry) dialogs.ShowMessage(kBadManualInput, platform::kOkOnly, platform::kDefaultCaption);
  return entry;
}

bool PassSavedListGate(platform::Dialogs& dialogs, bool loggedIn) {
  if (loggedIn) return true;
  dialogs.ShowMessage(kLoginFirst, platform::kInformationIcon, platform::kDefaultCaption);
  return false;
}

std::optional<text::Text> AddressToPlay(const SavedEntry& entry) {
  if (entry.name.empty()) return std::nullopt;
  return entry.playAddress;
}

}  // namespace library
