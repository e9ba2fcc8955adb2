#include "library/record_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "library/temporary_directory.h"
#include "text/edit.h"
#include "text/search.h"

namespace library {
namespace {

using library_testing::Fixture;
using library_testing::ReadBytes;
using library_testing::TemporaryDirectory;
using library_testing::WriteBytes;

using Entries = std::vector<SavedEntry>;
using namespace std::string_literals;

TEST(RecordFileTest, RowsBecomeNumberedLinesFromTheTopRow) {
  EXPECT_EQ(RecordFileText({{"甲", "U1"}, {"乙", "U2"}}), Fixture("example.dcb"));
  EXPECT_EQ(RecordLine(10, {"", ""}), "名称：10----10播放地址10\r\n");
  EXPECT_EQ(RecordFileText({}), "");
}

TEST(RecordFileTest, ParsingTakesTheFirstOccurrenceOfEveryMarker) {
  Entries twelve;
  for (int n = 0; n < 12; ++n)
    twelve.push_back({"片" + std::to_string(n), "http://v/" + std::to_string(n) + ".rmvb"});

  const struct {
    const char* label;
    std::string bytes;
    Entries entries;
  } cases[] = {
      {"example", Fixture("example.dcb"), {{"甲", "U1"}, {"乙", "U2"}}},
      {"numbering 0, 1, 3 stops at the gap",
       Fixture("gap.dcb"),
       {{"泰囧", "http://a/0"}, {"一", "http://a/1"}}},
      {"entry 1 comes before entry 10 in the file", Fixture("twelve.dcb"), twelve},
      // The name's "----0" ends the name, the rest leads the address; the address's own
      // "播放地址1" ends the address.
      {"markers inside fields cut them",
       Fixture("markers_inside.dcb"),
       {{"甲", "乙----0U0"}, {"丙", "U1"}}},
      // Entry 1's address is looked up from the start of the text, so the "----1" inside
      // entry 0's name is taken for it.
      {"a later entry's marker in an earlier name",
       "名称：0a----1b----0c播放地址0\r\n名称：1d----1e播放地址1\r\n",
       {{"a----1b", "c"}, {"d", "b----0c播放地址0\r\n名称：1d----1e"}}},
      {"the text ends at a zero byte",
       "名称：0a----0b播放地址0\r\n\0名称：1c----1d播放地址1\r\n"s,
       {{"a", "b"}}},
      {"no markers at all", "hello\r\n", {}},
      {"empty", "", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseRecordFile(c.bytes), c.entries) << c.label;
}

// Loading as a plain sequence of searches: each marker's first occurrence, found by text::Find
// and text::TextBetween over the whole text. The indexed parser must agree with it exactly.
Entries ParseBySearching(std::string_view bytes) {
  const text::Text content = text::UntilZeroByte(bytes);
  Entries entries;
  for (int n = 0;; ++n) {
    const std::string digits = std::to_string(n);
    if (text::Find(content, "名称：" + digits) == text::kNotFound) break;
    entries.push_back({text::TextBetween(content, "名称：" + digits, "----" + digits),
                       text::TextBetween(content, "----" + digits, "播放地址" + digits)});
  }
  return entries;
}

// Texts built from the markers, numbers of several digits, stray lead bytes that swallow the
// byte after them, and dashes that make overlapping separators.
TEST(RecordFileTest, ParsingAgreesWithPlainSearchesOnDisorderedTexts) {
  const std::vector<std::string> pieces = {"名称：", "----", "播放地址", "-",  "\r\n", "甲", "\x81",
                                           "\xfe",   "a",    "A",        "0",  "1",    "2",  "3",
                                           "10",     "11",   "12",       "01", "\0"s};
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 60);
    for (int piece = 0; piece < length; ++piece)
      bytes += pieces[random() % pieces.size()];
    // Half of the texts start as a well-formed file, so that long runs of entries occur.
    if (round % 2 == 0) {
      Entries rows(random() % 14, SavedEntry{"名", "http://a/"});
      bytes = RecordFileText(rows) + bytes;
    }
    ASSERT_EQ(ParseRecordFile(bytes), ParseBySearching(bytes)) << ::testing::PrintToString(bytes);
  }
}

TEST(RecordFileTest, WrittenRowsReadBackInTheirOrder) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  const Entries rows = {{"片----名", "http://x/1"}, {"", "http://x/2"}, {"三", ""}};
  // The separator inside the first name is not followed by the entry's number, so it stays.
  ASSERT_FALSE(WriteRecordFile(path, rows));
  EXPECT_EQ(ReadRecordFile(path), rows);
  EXPECT_EQ(ReadBytes(path), RecordFileText(rows));
}

TEST(RecordFileTest, MissingOrEmptyFilesHaveNoEntries) {
  TemporaryDirectory directory;
  EXPECT_TRUE(ReadRecordFile(directory.path() / "absent.dcb").empty());
  WriteBytes(directory.path() / "empty.dcb", "");
  EXPECT_TRUE(ReadRecordFile(directory.path() / "empty.dcb").empty());
  EXPECT_TRUE(ReadRecordFile(directory.path()).empty());
}

TEST(RecordFileTest, NoRowsLeaveNoFile) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  WriteBytes(path, Fixture("example.dcb"));
  EXPECT_FALSE(WriteRecordFile(path, {}));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(WriteRecordFile(path, {}));
  EXPECT_FALSE(std::filesystem::exists(path));
}

bool OnlyEntryIs(const std::filesystem::path& directory, const std::filesystem::path& file) {
  std::vector<std::filesystem::path> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path());
  return names == std::vector<std::filesystem::path>{file};
}

// A write that fails part way, as on a full disk, leaves the old file whole and no temporary.
TEST(RecordFileTest, FailedWriteKeepsTheOldFile) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  const std::string old = Fixture("example.dcb");
  WriteBytes(path, old);
  const Entries many(100, SavedEntry{"很长的名字", "http://example.invalid/a/long/address"});

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::error_code error = WriteRecordFile(path, many);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_TRUE(error);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_TRUE(OnlyEntryIs(directory.path(), path));
}

// Runs `write` without the superuser's right to ignore directory permissions: in a child that
// gives it up when the tests run as root. True when the write reported an error.
bool FailsWithoutPrivilege(const std::function<std::error_code()>& write) {
  if (geteuid() != 0) return static_cast<bool>(write());
  const pid_t child = fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    _exit(write() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(RecordFileTest, UnwritableDirectoryKeepsTheOldFile) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  const std::string old = Fixture("example.dcb");
  WriteBytes(path, old);
  using std::filesystem::perms;
  std::filesystem::permissions(directory.path(), perms::owner_read | perms::owner_exec |
                                                     perms::group_read | perms::group_exec |
                                                     perms::others_read | perms::others_exec);
  EXPECT_TRUE(FailsWithoutPrivilege([&] { return WriteRecordFile(path, {{"甲", "U"}}); }));
  EXPECT_TRUE(FailsWithoutPrivilege([&] { return WriteRecordFile(path, {}); }));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_TRUE(OnlyEntryIs(directory.path(), path));
}

TEST(RecordFileTest, MissingDirectoryIsAnError) {
  TemporaryDirectory directory;
  EXPECT_TRUE(WriteRecordFile(directory.path() / "absent" / "record.dcb", {{"甲", "U"}}));
}

TEST(RecordFileTest, FileLivesInTheDataDirectoryUnderAUtf8Name) {
  TemporaryDirectory directory;
  ASSERT_EQ(setenv("XDG_DATA_HOME", directory.path().c_str(), 1), 0);
  EXPECT_EQ(RecordFilePath(), directory.path() / "qinghe" / "lumox\xe8\xae\xb0\xe5\xbd\x95.dcb");
  unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace library
