#include "platform/memory_trim.h"

#include <dirent.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace platform {
namespace {

// process_madvise takes at most this many ranges per call (the kernel's UIO_MAXIOV).
constexpr std::size_t kRangesPerCall = 1024;

std::optional<pid_t> ParsePid(std::string_view name) {
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || end != name.data() + name.size() || pid <= 0) return std::nullopt;
  return pid;
}

struct Range {
  std::uintptr_t start;
  std::uintptr_t end;
};

// The address ranges of a process's mappings, from /proc/PID/maps; empty when it cannot be
// read (the process has gone or belongs to someone we may not look at).
std::vector<Range> Mappings(const std::string& mapsFile) {
  std::vector<Range> ranges;
  std::ifstream maps(mapsFile);
  std::string line;
  while (std::getline(maps, line)) {
    const std::size_t dash = line.find('-');
    const std::size_t space = line.find(' ', dash);
    if (dash == std::string::npos || space == std::string::npos) continue;
    Range range{};
    const char* text = line.data();
    if (std::from_chars(text, text + dash, range.start, 16).ec != std::errc() ||
        std::from_chars(text + dash + 1, text + space, range.end, 16).ec != std::errc() ||
        range.end <= range.start)
      continue;
    // The vsyscall page lies outside every process's own address space.
    if (line.ends_with("[vsyscall]")) continue;
    ranges.push_back(range);
  }
  return ranges;
}

bool TrimOwnProcess() {
  const std::vector<Range> ranges = Mappings("/proc/self/maps");
  for (const Range& range : ranges)
    ::madvise(reinterpret_cast<void*>(range.start), range.end - range.start, MADV_PAGEOUT);
  return !ranges.empty();
}

// The errors process_madvise gives for its first range alone; any other concerns the call.
bool RefusesOnlyTheRange(int error) {
  return error == EINVAL || error == ENOMEM;
}

bool TrimOtherProcess(pid_t pid) {
  const long pidfd = ::syscall(SYS_pidfd_open, pid, 0);
  if (pidfd < 0) return false;
  // The maps are read after the pidfd is held, so a recycled id cannot slip in between.
  const std::vector<Range> ranges = Mappings("/proc/" + std::to_string(pid) + "/maps");
  std::vector<iovec> vectors;
  vectors.reserve(ranges.size());
  for (const Range& range : ranges)
    vectors.push_back({reinterpret_cast<void*>(range.start), range.end - range.start});
  const bool advised = PageOutRanges(vectors, [pidfd](std::span<const iovec> batch) {
    return ::syscall(SYS_process_madvise, pidfd, batch.data(), batch.size(), MADV_PAGEOUT, 0u);
  });
  ::close(static_cast<int>(pidfd));
  return advised;
}

}  // namespace

std::vector<pid_t> RunningProcessIds(std::size_t limit) {
  std::vector<pid_t> ids;
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return ids;
  while (ids.size() < limit) {
    const dirent* entry = ::readdir(proc);
    if (entry == nullptr) break;
    if (const std::optional<pid_t> pid = ParsePid(entry->d_name)) ids.push_back(*pid);
  }
  ::closedir(proc);
  return ids;
}

bool PageOutRanges(std::span<const iovec> ranges, const PageOutCall& call) {
  bool advised = false;
  while (!ranges.empty()) {
    const std::span<const iovec> batch = ranges.first(std::min(ranges.size(), kRangesPerCall));
    const long done = call(batch);
    if (done < 0 && !RefusesOnlyTheRange(errno)) break;
    // The kernel stops at the first range it refuses and reports the bytes of the ranges
    // before it; the refused range is skipped and the rest asked for again.
    std::size_t left = done < 0 ? 0 : static_cast<std::size_t>(done);
    std::size_t accepted = 0;
    while (accepted < batch.size() && left >= batch[accepted].iov_len) {
      left -= batch[accepted].iov_len;
      ++accepted;
    }
    advised = advised || accepted > 0;
    ranges =
        ranges.subspan(std::min(ranges.size(), accepted < batch.size() ? accepted + 1 : accepted));
  }
  return advised;
}

bool TrimProcess(pid_t pid) {
  return pid == ::getpid() ? TrimOwnProcess() : TrimOtherProcess(pid);
}

void TrimAllProcesses(const ProcessList& processes, const ProcessTrimmer& trim) {
  std::vector<pid_t> ids = processes();
  if (ids.size() > kMaxTrimmedProcesses) ids.resize(kMaxTrimmedProcesses);
  for (const pid_t pid : ids)
    trim(pid);
}

void StartTrimPass(ProcessList processes, std::function<void()> finished) {
  try {
    std::thread([processes = std::move(processes), finished = std::move(finished)] {
      TrimAllProcesses(processes);
      if (finished) finished();
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had (the process is at its limit): this tick's pass is skipped, and the
    // next tick tries again.
  }
}

void OnTrimTimer() {
  StartTrimPass(ProcessesToTrim);
}

}  // namespace platform
