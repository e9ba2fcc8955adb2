#include "platform/memory_trim.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {
namespace {

using namespace std::chrono_literals;

// A field of a process status file in kibibytes, such as "RssFile:".
long StatusKiB(const std::string& statusFile, const std::string& field) {
  std::ifstream status(statusFile);
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with(field)) return std::stol(line.substr(field.size()));
  return -1;
}

std::vector<pid_t> OnlyThisProcess() {
  return {::getpid()};
}

// Starts a pass and gives a future that is ready when it is over. The promise is kept by the
// worker itself, so nothing of the test's frame is touched once the test has moved on.
std::future<void> StartObservedPass(ProcessList processes) {
  auto finished = std::make_shared<std::promise<void>>();
  std::future<void> over = finished->get_future();
  StartTrimPass(std::move(processes), [finished] { finished->set_value(); });
  return over;
}

TEST(RunningProcessIds, ListsThisProcessWithinTheLimit) {
  const std::vector<pid_t> all = RunningProcessIds(kMaxTrimmedProcesses);
  EXPECT_LE(all.size(), kMaxTrimmedProcesses);
  EXPECT_TRUE(std::all_of(all.begin(), all.end(), [](pid_t pid) { return pid > 0; }));
  if (all.size() < kMaxTrimmedProcesses) {
    EXPECT_NE(std::find(all.begin(), all.end(), ::getpid()), all.end());
  }
  EXPECT_EQ(RunningProcessIds(2).size(), std::min<std::size_t>(2, all.size()));
  EXPECT_TRUE(RunningProcessIds(0).empty());
}

TEST(TrimAllProcesses, VisitsAtMostTheFirst1024InOrder) {
  std::vector<pid_t> many(3000);
  for (std::size_t i = 0; i < many.size(); ++i)
    many[i] = static_cast<pid_t>(i + 1);
  std::vector<pid_t> visited;
  TrimAllProcesses([&] { return many; },
                   [&](pid_t pid) {
                     visited.push_back(pid);
                     return false;
                   });
  ASSERT_EQ(visited.size(), kMaxTrimmedProcesses);
  EXPECT_TRUE(std::equal(visited.begin(), visited.end(), many.begin()));
}

// A kernel that answers page-out calls from a script: each call's first range and size are
// recorded, and the answer is the bytes accepted, or -1 with the given errno.
struct PageOutScript {
  struct Answer {
    long bytes;
    int error;
  };
  std::vector<Answer> answers;
  std::vector<std::pair<std::size_t, std::size_t>> calls;  // first range index, batch size

  bool Run(const std::vector<iovec>& ranges) {
    return PageOutRanges(ranges, [&](std::span<const iovec> batch) -> long {
      calls.emplace_back(static_cast<std::size_t>(batch.data() - ranges.data()), batch.size());
      const Answer answer =
          calls.size() <= answers.size() ? answers[calls.size() - 1] : Answer{-1, EPERM};
      errno = answer.error;
      return answer.bytes;
    });
  }
};

std::vector<iovec> Ranges(std::size_t count, std::size_t length) {
  std::vector<iovec> ranges(count);
  for (std::size_t i = 0; i < count; ++i)
    ranges[i] = {reinterpret_cast<void*>(0x10000 * (i + 1)), length};
  return ranges;
}

TEST(PageOutRanges, SkipsRefusedRangesAndGivesUpOnWholeCallErrors) {
  using Calls = std::vector<std::pair<std::size_t, std::size_t>>;
  const struct {
    const char* label;
    std::size_t ranges;
    std::vector<PageOutScript::Answer> answers;
    bool advised;
    Calls calls;
  } cases[] = {
      {"all accepted at once", 3, {{3 * 4096, 0}}, true, {{0, 3}}},
      {"the second range refused is skipped", 3, {{4096, 0}, {4096, 0}}, true, {{0, 3}, {2, 1}}},
      {"a refused first range is skipped",
       3,
       {{-1, EINVAL}, {2 * 4096, 0}},
       true,
       {{0, 3}, {1, 2}}},
      {"a range unmapped meanwhile is skipped",
       2,
       {{-1, ENOMEM}, {-1, EINVAL}},
       false,
       {{0, 2}, {1, 1}}},
      // A process of another user, or a caller without the right to hint the kernel: one call.
      {"not permitted", 500, {{-1, EPERM}}, false, {{0, 500}}},
      {"process gone", 500, {{-1, ESRCH}}, false, {{0, 500}}},
      {"no such call on this kernel", 500, {{-1, ENOSYS}}, false, {{0, 500}}},
      {"batches of at most 1024 ranges",
       2500,
       {{1024 * 4096, 0}, {1024 * 4096, 0}, {452 * 4096, 0}},
       true,
       {{0, 1024}, {1024, 1024}, {2048, 452}}},
      {"no ranges, no call", 0, {}, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    PageOutScript script{c.answers, {}};
    EXPECT_EQ(script.Run(Ranges(c.ranges, 4096)), c.advised);
    EXPECT_EQ(script.calls, c.calls);
  }
}

TEST(TrimProcess, PassesOverProcessesThatCannotBeTouched) {
  // Process ids above the kernel's pid_max never exist.
  EXPECT_FALSE(TrimProcess(0x7FFFFFF0));
  EXPECT_TRUE(TrimProcess(::getpid()));
}

constexpr std::size_t kMapping = 64 << 20;

// A file of kMapping bytes of 'x', already unlinked, whose pages are clean on disk.
int CleanFile() {
  // The build directory lies on a disk; a tmpfs file would be shared memory and stay resident.
  const std::filesystem::path file =
      std::filesystem::current_path() / ("memory_trim_" + std::to_string(::getpid()));
  {
    const std::string block(1 << 20, 'x');
    std::ofstream out(file, std::ios::binary);
    for (std::size_t written = 0; written < kMapping; written += block.size())
      out << block;
  }
  const int fd = ::open(file.c_str(), O_RDONLY);
  std::filesystem::remove(file);
  // Dirty page-cache pages are written back by the flusher, not by a page-out request.
  if (fd >= 0) ::syncfs(fd);
  return fd;
}

// Maps the file and reads every page of it, so that all of them are resident.
const volatile char* MapAndTouch(int fd) {
  void* mapped = ::mmap(nullptr, kMapping, PROT_READ, MAP_PRIVATE, fd, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const auto* bytes = static_cast<const volatile char*>(mapped);
  for (std::size_t offset = 0; offset < kMapping; offset += 4096)
    (void)bytes[offset];
  return bytes;
}

// Pages of a file mapping that a pass pages out leave the resident set; anonymous pages could
// not, since these machines have no swap.
TEST(StartTrimPass, PagesOutThisProcessFileBackedMemory) {
  const int fd = CleanFile();
  ASSERT_GE(fd, 0);
  const volatile char* mapped = MapAndTouch(fd);
  ::close(fd);
  ASSERT_NE(mapped, nullptr);
  const long before = StatusKiB("/proc/self/status", "RssFile:");
  ASSERT_GE(before, static_cast<long>(kMapping >> 10));

  ASSERT_EQ(StartObservedPass(OnlyThisProcess).wait_for(30s), std::future_status::ready);

  const long after = StatusKiB("/proc/self/status", "RssFile:");
  EXPECT_LT(after, before - static_cast<long>(kMapping >> 11))
      << "RssFile before " << before << " KiB, after " << after << " KiB";
  EXPECT_EQ(mapped[kMapping - 1], 'x');
  ::munmap(const_cast<char*>(mapped), kMapping);
}

TEST(TrimProcess, PagesOutAnotherProcessFileBackedMemory) {
  const int fd = CleanFile();
  ASSERT_GE(fd, 0);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const char touched = MapAndTouch(fd) != nullptr ? 1 : 0;
    (void)::write(ready[1], &touched, 1);
    ::pause();
    ::_exit(0);
  }
  ::close(fd);
  char touched = 0;
  ASSERT_EQ(::read(ready[0], &touched, 1), 1);
  ::close(ready[0]);
  ::close(ready[1]);
  const std::string status = "/proc/" + std::to_string(child) + "/status";
  const long before = StatusKiB(status, "RssFile:");

  const bool trimmed = TrimProcess(child);
  const long after = StatusKiB(status, "RssFile:");
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);

  ASSERT_EQ(touched, 1);
  ASSERT_GE(before, static_cast<long>(kMapping >> 10));
  EXPECT_TRUE(trimmed);
  EXPECT_LT(after, before - static_cast<long>(kMapping >> 11))
      << "RssFile before " << before << " KiB, after " << after << " KiB";
}

TEST(StartTrimPass, ReturnsWithoutWaitingForThePass) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto listed = std::make_shared<std::atomic<bool>>(false);

  std::future<void> over = StartObservedPass([released, listed] {
    released.wait_for(10s);
    *listed = true;
    return std::vector<pid_t>{};
  });
  EXPECT_FALSE(listed->load()) << "the pass ran on the caller's thread";

  release.set_value();
  ASSERT_EQ(over.wait_for(10s), std::future_status::ready);
  EXPECT_TRUE(listed->load());
}

}  // namespace
}  // namespace platform
