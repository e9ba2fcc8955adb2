#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "library/saved_entry.h"
#include "platform/dialogs.h"
#include "text/text.h"

namespace library {

// What the saved list's handlers decide, apart from the window that shows the rows.

// Hands the record file's entries to `addSavedEntry`, which inserts each as the new top row.
// They are handed over from the last to the first, so the file's entry 0 ends up on top and the
// user finds the list in the order it was saved. Existing rows stay below them.
void LoadSavedList(const std::filesystem::path& recordFile,
                   const std::function<void(const SavedEntry&)>& addSavedEntry);

// Writes the rows to the record file while logged in; otherwise leaves the file untouched.
[[nodiscard]] std::error_code SaveSavedList(const std::filesystem::path& recordFile, bool loggedIn,
                                            const std::vector<SavedEntry>& rowsFromTop);

// The manual addition: "name----address" as typed, split at the first "----". An input
// without "----" (a cancelled box counts as empty input) gives nothing.
std::optional<SavedEntry> ParseManualEntry(std::string_view input);

// Asks for a manual entry; reports an input without separator and gives nothing then.
std::optional<SavedEntry> AskManualEntry(platform::Dialogs& dialogs);

// The gate of the main window's link to the saved list: true when the list may be shown,
// otherwise the user is told to log in first.
bool PassSavedListGate(platform::Dialogs& dialogs, bool loggedIn);

// The address a double-clicked row plays; a row without name plays nothing.
std::optional<text::Text> AddressToPlay(const SavedEntry& entry);

}  // namespace library
