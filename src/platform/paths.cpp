#include "platform/paths.h"

#include <cstdlib>
#include <system_error>

namespace platform {
namespace {

constexpr char kDataFolderName[] = "qinghe";

}  // namespace

std::filesystem::path RunDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return program.parent_path();
}

std::filesystem::path DataDirectory() {
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    base = std::filesystem::temp_directory_path();
  }
  const std::filesystem::path directory = base / kDataFolderName;
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  return directory;
}

}  // namespace platform
