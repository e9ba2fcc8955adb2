#include "account/credentials_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"

namespace account {
namespace {

namespace fs = std::filesystem;

// The fixed parts of the file, written as bytes so the test does not lean on the compiler's
// conversion of its own literals.
const std::string kUserMarker = "\xD5\xCA\xBA\xC5\xA3\xBA";
const std::string kPasswordMarker = "\xC3\xDC\xC2\xEB";

class CredentialsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "credentials_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { fs::remove_all(directory_); }

  fs::path File() const { return CredentialsFilePath(directory_); }

  std::string FileBytes() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void PutFile(const std::string& bytes) const { std::ofstream(File(), std::ios::binary) << bytes; }

  fs::perms Permissions() const { return fs::status(File()).permissions(); }

  fs::path directory_;
  testing_support::ScriptedDialogs dialogs_;
};

TEST_F(CredentialsFileTest, LivesBesideTheProgramUnderItsUtf8Name) {
  EXPECT_EQ(File().parent_path(), directory_);
  EXPECT_EQ(File().filename().string(), reinterpret_cast<const char*>(u8"lumox密码.dcb"));
}

TEST_F(CredentialsFileTest, WritesTheExactBytesOwnerReadableOnly) {
  const mode_t previous = ::umask(0);
  ASSERT_TRUE(WriteCredentialsFile(directory_, {"demo", "secret"}));
  ::umask(previous);
  EXPECT_EQ(FileBytes(), kUserMarker + "demo----secret" + kPasswordMarker);
  EXPECT_EQ(Permissions(), fs::perms::owner_read | fs::perms::owner_write);

  // A file someone left readable by all is replaced by an owner-only one.
  PutFile("old");
  fs::permissions(File(), fs::perms::all);
  ASSERT_TRUE(WriteCredentialsFile(directory_, {"张三", "p"}));
  EXPECT_EQ(FileBytes(), kUserMarker + "\xD5\xC5\xC8\xFD----p" + kPasswordMarker);
  EXPECT_EQ(Permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1);
}

TEST_F(CredentialsFileTest, ReadsBackWhatTheMarkersEnclose) {
  struct Case {
    const char* name;
    Credentials written;
    Credentials read;
  };
  const std::vector<Case> cases = {
      {"plain", {"demo", "secret"}, {"demo", "secret"}},
      {"Chinese name", {"张三", "密钥"}, {"张三", "密钥"}},
      {"name holding the separator", {"a----b", "c"}, {"a", "b----c"}},
      {"password holding its end marker", {"demo", "x密码y"}, {"demo", "x"}},
      {"empty boxes", {"", ""}, {"", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteCredentialsFile(directory_, c.written));
    const std::optional<Credentials> read = ReadCredentialsFile(directory_);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->userName, c.read.userName);
    EXPECT_EQ(read->password, c.read.password);
  }
}

TEST_F(CredentialsFileTest, DamagedOrMissingFiles) {
  EXPECT_FALSE(ReadCredentialsFile(directory_).has_value());

  struct Case {
    std::string bytes;
    Credentials read;
  };
  const std::vector<Case> cases = {
      {"", {"", ""}},
      {"garbage", {"", ""}},
      {kUserMarker + "demo", {"", ""}},
      {"demo----secret" + kPasswordMarker, {"", "secret"}},
      {kUserMarker + "demo----se" + std::string(1, '\0') + "cret" + kPasswordMarker, {"demo", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    PutFile(c.bytes);
    const std::optional<Credentials> read = ReadCredentialsFile(directory_);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->userName, c.read.userName);
    EXPECT_EQ(read->password, c.read.password);
  }
}

TEST_F(CredentialsFileTest, RememberBoxWritesDeletesOrRefusesEmptyBoxes) {
  EXPECT_TRUE(OnRememberBoxClicked(true, {"demo", "secret"}, directory_, dialogs_));
  EXPECT_EQ(FileBytes(), kUserMarker + "demo----secret" + kPasswordMarker);
  EXPECT_TRUE(dialogs_.shown.empty());

  // Empty boxes refuse the tick and leave the existing file as it is, either way round.
  for (const bool nowTicked : {true, false}) {
    for (const Credentials& boxes : {Credentials{"", "x"}, Credentials{"demo", ""}}) {
      dialogs_.shown.clear();
      EXPECT_FALSE(OnRememberBoxClicked(nowTicked, boxes, directory_, dialogs_));
      ASSERT_EQ(dialogs_.shown.size(), 1u);
      EXPECT_EQ(dialogs_.shown[0].message, "帐号或者密码为空");
      EXPECT_EQ(dialogs_.shown[0].flags, platform::kErrorIcon);
      EXPECT_EQ(dialogs_.shown[0].caption, "信息：");
      EXPECT_EQ(FileBytes(), kUserMarker + "demo----secret" + kPasswordMarker);
    }
  }

  dialogs_.shown.clear();
  EXPECT_FALSE(OnRememberBoxClicked(false, {"demo", "secret"}, directory_, dialogs_));
  EXPECT_FALSE(fs::exists(File()));
  EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(CredentialsFileTest, CloseRewritesOnlyWhileTicked) {
  PutFile("left alone");
  RewriteCredentialsAtClose(false, {"demo", "changed"}, directory_);
  EXPECT_EQ(FileBytes(), "left alone");

  RewriteCredentialsAtClose(true, {"demo", "changed"}, directory_);
  EXPECT_EQ(FileBytes(), kUserMarker + "demo----changed" + kPasswordMarker);

  RewriteCredentialsAtClose(true, {"", ""}, directory_);
  EXPECT_EQ(FileBytes(), kUserMarker + "----" + kPasswordMarker);
  EXPECT_EQ(FileBytes().size(), 14u);
  EXPECT_EQ(Permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace account
