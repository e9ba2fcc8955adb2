#include "library/saved_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "library/record_file.h"
#include "library/temporary_directory.h"
#include "support/scripted_dialogs.h"

namespace library {
namespace {

using library_testing::Fixture;
using library_testing::ReadBytes;
using library_testing::TemporaryDirectory;
using library_testing::WriteBytes;
using testing_support::ScriptedDialogs;

using Rows = std::vector<SavedEntry>;

// Stands in for the list control: every addition becomes the new top row.
Rows LoadInto(const std::filesystem::path& path, Rows rows = {}) {
  LoadSavedList(path, [&rows](const SavedEntry& entry) { rows.insert(rows.begin(), entry); });
  return rows;
}

TEST(SavedListTest, LoadedRowsShowTheFileInItsOrderAboveExistingRows) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  WriteBytes(path, Fixture("example.dcb"));
  EXPECT_EQ(LoadInto(path), (Rows{{"甲", "U1"}, {"乙", "U2"}}));
  EXPECT_EQ(LoadInto(path, {{"早", "U0"}}), (Rows{{"甲", "U1"}, {"乙", "U2"}, {"早", "U0"}}));
  EXPECT_EQ(LoadInto(directory.path() / "absent.dcb", {{"早", "U0"}}), (Rows{{"早", "U0"}}));
}

// Saving writes the top row first; loading must put it back on top, run after run.
TEST(SavedListTest, OrderSurvivesTwoRuns) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  const Rows shown = {{"上", "http://a/1"}, {"中", "http://a/2"}, {"下", "http://a/3"}};
  ASSERT_FALSE(SaveSavedList(path, true, shown));
  const std::string firstRun = ReadBytes(path);

  const Rows secondRun = LoadInto(path);
  EXPECT_EQ(secondRun, shown);
  ASSERT_FALSE(SaveSavedList(path, true, secondRun));
  EXPECT_EQ(ReadBytes(path), firstRun);
  EXPECT_EQ(LoadInto(path), shown);
}

TEST(SavedListTest, SavingOnlyWhileLoggedIn) {
  TemporaryDirectory directory;
  const auto path = directory.path() / "record.dcb";
  const std::string old = Fixture("gap.dcb");
  WriteBytes(path, old);

  for (const Rows& rows : {Rows{}, Rows{{"新", "http://n/"}}}) {
    EXPECT_FALSE(SaveSavedList(path, false, rows));
    EXPECT_EQ(ReadBytes(path), old);
  }
  EXPECT_FALSE(SaveSavedList(path, false, {}));
  EXPECT_FALSE(SaveSavedList(directory.path() / "absent.dcb", false, {{"新", "http://n/"}}));
  EXPECT_FALSE(std::filesystem::exists(directory.path() / "absent.dcb"));

  EXPECT_FALSE(SaveSavedList(path, true, {}));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(LoadInto(path).empty());
}

TEST(SavedListTest, ManualAddition) {
  const struct {
    std::optional<text::Text> typed;  // nullopt: the box was cancelled
    std::optional<SavedEntry> added;
  } cases[] = {
      {"A----B", SavedEntry{"A", "B"}},
      {"A----B----C", SavedEntry{"A", "B----C"}},
      {"----", SavedEntry{"", ""}},
      {"泰囧----青禾云点播在线观看国语中字.rmvb",
       SavedEntry{"泰囧", "青禾云点播在线观看国语中字.rmvb"}},
      // The address ends at the first "地址" after the separator.
      {"A----B地址C", SavedEntry{"A", "B"}},
      {"A---B", std::nullopt},
      {"", std::nullopt},
      {std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::string label = c.typed.value_or("(cancelled)");
    ScriptedDialogs dialogs;
    dialogs.typed.push_back(c.typed);
    EXPECT_EQ(AskManualEntry(dialogs), c.added) << label;
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(dialogs.prompts[0], "请手动添加分割线为如泰囧----青禾云点播在线观看国语中字.rmvb");
    if (c.added) {
      EXPECT_TRUE(dialogs.shown.empty()) << label;
    } else {
      ASSERT_EQ(dialogs.shown.size(), 1u) << label;
      EXPECT_EQ(dialogs.shown[0].message, "请输入正确的文本");
      EXPECT_EQ(dialogs.shown[0].flags, 0);
      EXPECT_EQ(dialogs.shown[0].caption, "信息：");
    }
  }
}

TEST(SavedListTest, LinkGateAsksToLogInFirst) {
  ScriptedDialogs dialogs;
  EXPECT_TRUE(PassSavedListGate(dialogs, true));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(PassSavedListGate(dialogs, false));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, "请先登录论坛");
  EXPECT_EQ(dialogs.shown[0].flags, 64);
  EXPECT_EQ(dialogs.shown[0].caption, "信息：");
}

}  // namespace
}  // namespace library
