#pragma once

#include <filesystem>

namespace platform {

// The directory that holds the running program (the directory of /proc/self/exe).
std::filesystem::path RunDirectory();

// The per-user data directory, $XDG_DATA_HOME/qinghe or ~/.local/share/qinghe, created on
// first use. It stands where the system once kept files at the root of drive C.
std::filesystem::path DataDirectory();

// Hiding a file is a Windows attribute; on Linux there is nothing to set.
inline void HideFile(const std::filesystem::path&) {}

}  // namespace platform
