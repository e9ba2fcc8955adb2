#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "library/saved_entry.h"
#include "text/text.h"

namespace library {

// The record file keeps the saved list between runs: GBK text, one line per entry, the top row
// first, numbered from 0 without gaps. A line for entry n reads
//   "名称：" n name "----" n playAddress "播放地址" n CR LF
// with nothing escaped, so a name or address holding such a marker is cut when read back.

// The record file in the per-user data directory.
std::filesystem::path RecordFilePath();

// The bytes of one line, and of a whole file for rows given from the top down.
text::Text RecordLine(int number, const SavedEntry& entry);
text::Text RecordFileText(const std::vector<SavedEntry>& rowsFromTop);

// The entries of a record file in their numbered order. Reading stops at the first number
// whose "名称：" marker is missing; every marker lookup takes its first occurrence in the text.
std::vector<SavedEntry> ParseRecordFile(std::string_view bytes);

// A missing, unreadable or empty file gives no entries.
std::vector<SavedEntry> ReadRecordFile(const std::filesystem::path& path);

// Replaces the file with the given rows; no rows removes it. The new content goes to a
// temporary file in the same directory that is renamed over the old one, so on any failure the
// old file stays as it was.
[[nodiscard]] std::error_code WriteRecordFile(const std::filesystem::path& path,
                                              const std::vector<SavedEntry>& rowsFromTop);

}  // namespace library
