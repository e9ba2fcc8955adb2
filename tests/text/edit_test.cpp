#include "text/edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace text {
namespace {

const std::string kFullWidthSpace = "\xA1\xA1";

TEST(MidTest, TakesBytesByPositionAndCount) {
  EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
  EXPECT_EQ(Mid("abcdef", 0, 2), "");
  EXPECT_EQ(Mid("abcdef", 7, 1), "");
  EXPECT_EQ(Mid("abcdef", 1, 0), "");
  EXPECT_EQ(Mid("abcdef", 1, -3), "");
}

TEST(TrimTest, RemovesBlankRunsAtBothEnds) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"  a b  ", "a b"},
      {kFullWidthSpace + " a" + kFullWidthSpace, "a"},
      {"\ta\r\n", "\ta\r\n"},
      {"   ", ""},
      {"", ""},
      // A1 A1 inside "\xB0\xA1\xA1\xA1" is not a full-width space: B0 A1 is one character.
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
      {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},
      {"中 ", "中"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Trim(c.in), c.out) << c.in;
}

TEST(RemoveSpacesTest, DeletesEveryBlank) {
  EXPECT_EQ(RemoveSpaces(" a b" + kFullWidthSpace + "c "), "abc");
  EXPECT_EQ(RemoveSpaces("a\tb"), "a\tb");
  EXPECT_EQ(RemoveSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
}

TEST(UntilZeroByteTest, CutsAtTheFirstZero) {
  EXPECT_EQ(UntilZeroByte(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(UntilZeroByte("abc"), "abc");
  EXPECT_EQ(UntilZeroByte(std::string("\0", 1)), "");
}

}  // namespace
}  // namespace text
