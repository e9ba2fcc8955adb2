#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/codepage.h"
#include "text/number.h"

namespace text {
namespace {

// The UTF-8 bytes below are spelled out because this file's literals are compiled as GBK.
const std::string kUtf8Zhongwen = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
const std::string kUtf8Emoji = "\xF0\x9F\x98\x80";             // not in GBK

TEST(CodePageTest, ConvertsBothWays) {
  const std::string utf8 = "ab " + kUtf8Zhongwen + " cd";
  const std::string gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk, "ab 中文 cd");
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(CodePageTest, MarksWhatCannotBeConverted) {
  EXPECT_EQ(Utf8ToGbk("a" + kUtf8Emoji + "b"), "a?b");
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(Utf8ToGbk("a\xE4\xB8"), "a?");
  EXPECT_EQ(GbkToUtf8("a\xD6"), "a?");
  EXPECT_EQ(Utf8ToGbk(""), "");
}

TEST(CodePageTest, ConvertsLongTexts) {
  std::string utf8;
  for (int i = 0; i < 5000; ++i)
    utf8 += kUtf8Zhongwen + "x";
  std::string gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk.size(), 5000u * 5u);
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(NumberTest, WritesPlainDecimal) {
  struct Case {
    double value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {0, "0"},
      {3, "3"},
      {-42, "-42"},
      {0.1 + 0.2, "0.3"},
      {2.5, "2.5"},
      {1.0 / 3, "0.3333333333333"},
      {1e15, "1000000000000000"},
      {1.5e-7, "0.00000015"},
      {123456.789, "123456.789"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NumberToText(c.value), c.text) << c.value;
  EXPECT_EQ(NumberToText(1234567890123LL), "1234567890123");
}

TEST(NumberTest, RoundsHalvesAwayFromZero) {
  EXPECT_DOUBLE_EQ(RoundTo(2.5, 0), 3);
  EXPECT_DOUBLE_EQ(RoundTo(1.005, 2), 1.01);  // 100.49999... is lifted by the nudge
  EXPECT_DOUBLE_EQ(RoundTo(-2.5, 0), -2);     // the nudge is added, not moved away from zero
  EXPECT_DOUBLE_EQ(RoundTo(3.14159, 3), 3.142);
  EXPECT_DOUBLE_EQ(RoundTo(7, 0), 7);
}

}  // namespace
}  // namespace text
