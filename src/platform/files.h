#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// The whole content of a file; nullopt when it is missing or cannot be read to its end.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

enum class FileAccess {
  kOwnerOnly,     // the file ends up readable and writable by its owner only
  kKeepExisting,  // an existing file keeps its permissions; a new one is owner-only
};

// Replaces the file's content as one step: the bytes go to a temporary file in the same
// directory, reach the disk, and are renamed over the old file. On any failure the old file
// stays whole and the temporary file is removed.
std::error_code ReplaceFile(const std::filesystem::path& file, std::string_view bytes,
                            FileAccess access);

}  // namespace platform
