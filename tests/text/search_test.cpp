#include "text/search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace text {
namespace {

// "中" is D6 D0; "\xD6[" is one two-byte character whose trail byte is '['.
const std::string kZhong = "中";
const std::string kTrailBracket = "\xD6[";

struct FindCase {
  std::string name;
  std::string text;
  std::string sub;
  int start;
  bool ignoreCase;
  int expected;
};

TEST(FindTest, FollowsTheCandidateRules) {
  const std::vector<FindCase> cases = {
      {"plain hit", "abcabc", "bc", 1, false, 2},
      {"start skips the first hit", "abcabc", "bc", 3, false, 5},
      {"start below one means one", "abc", "a", -5, false, 1},
      {"start beyond the end", "abc", "c", 4, false, -1},
      {"missing", "abc", "x", 1, false, -1},
      {"longer than text", "ab", "abc", 1, false, -1},
      {"empty sub at start", "abc", "", 1, false, 1},
      {"empty sub from later start is still 1", "abc", "", 3, false, 1},
      {"empty sub in empty range", "abc", "", 4, false, -1},
      {"empty sub in empty text", "", "", 1, false, -1},
      {"trail byte is never a candidate", kTrailBracket + "[", "[", 1, false, 3},
      {"trail byte only", "a" + kTrailBracket, "[", 1, false, -1},
      {"two-byte character found", "ab" + kZhong + "c", kZhong, 1, false, 3},
      {"half of a character is not found", "\xB0" + kZhong, "\xD6\xD0", 1, false, -1},
      {"lead byte at end is a candidate for itself", "ab\xD6", "\xD6", 1, false, 3},
      {"lead byte at end ends the search", "ab\xD6", "x", 1, false, -1},
      {"case folds ASCII", "xABCx", "abc", 1, true, 2},
      {"case kept when exact", "xABCx", "abc", 1, false, -1},
      {"needle capitals fold too", "xabcx", "ABC", 1, true, 2},
      {"GBK byte in A-Z range folds", "\xB0\x41", "\xB0\x61", 1, true, 1},
      {"other bytes never fold", "\xC1", "\xE1", 1, true, -1},
      {"folded trail byte is not a candidate",
       "\xB0"
       "Ab",
       "ab", 1, true, -1},
      {"folded match after a character",
       "\xB0"
       "AAb",
       "ab", 1, true, 3},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(Find(c.text, c.sub, c.start, c.ignoreCase), c.expected) << c.name;
  }
}

// A long run of two-byte characters must keep the character boundaries straight, whatever
// the length of the run, in both search paths.
TEST(FindTest, KeepsBoundariesAcrossLongRuns) {
  for (int run = 0; run < 40; ++run) {
    std::string prefix;
    for (int i = 0; i < run; ++i)
      prefix += "\xB0\xA1";
    std::string oddPrefix = prefix + "\xB0";  // the needle's first byte becomes a trail byte
    EXPECT_EQ(Find(prefix + "[x", "[x"), static_cast<int>(prefix.size()) + 1) << run;
    EXPECT_EQ(Find(oddPrefix + "[x", "[x"), -1) << run;
    EXPECT_EQ(Find(oddPrefix + "Ab", "ab", 1, true), -1) << run;
    EXPECT_EQ(Find(oddPrefix + "AAb", "ab", 1, true), static_cast<int>(oddPrefix.size()) + 2)
        << run;
  }
}

struct BetweenCase {
  std::string name;
  std::string source;
  std::string left;
  std::string right;
  std::string expected;
};

TEST(TextBetweenTest, CutsBetweenTheMarkers) {
  const std::vector<BetweenCase> cases = {
      {"plain", "a[xy]b", "[", "]", "xy"},
      {"missing left", "axy]b", "[", "]", ""},
      {"right only before left", "]a[xy", "[", "]", ""},
      {"touching markers", "a[]b", "[", "]", ""},
      {"only the first left counts", "[a [b]", "[", "]", "a [b"},
      {"first left without right after it", "x]y[z", "[", "]", ""},
      {"same marker twice", "a----b----c", "----", "----", "b"},
      {"capitals match", "<SCRIPT>x</script>", "<script>", "</SCRIPT>", "x"},
      {"quote token", "v=\"val\";", "#引号", "#引号", "val"},
      {"quote token inside a marker", "id=\"a\" name=\"b\"", "name=#引号", "#引号", "b"},
      {"token text in the source is not a quote", "a#引号b#引号c\"d\"", "#引号", "#引号", "d"},
      {"empty left starts at one", "abc]", "", "]", "abc"},
      {"empty right gives nothing", "a[bc", "[", "", ""},
      {"left ends the source", "abc[", "[", "]", ""},
      {"trail byte is not a marker", kTrailBracket + "x[y]", "[", "]", "y"},
      {"header value", "Host: a\r\nUser-Agent: me\r\n", "User-Agent:", "\r\n", " me"},
      {"two-byte markers", "帐号：张三----123密码", "帐号：", "----", "张三"},
  };
  for (const BetweenCase& c : cases) {
    EXPECT_EQ(TextBetween(c.source, c.left, c.right), c.expected) << c.name;
  }
}

TEST(TextBetweenTest, HonoursStartAndCase) {
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3), "b");
  EXPECT_EQ(TextBetween("", "", "]", 5), "");
  EXPECT_EQ(TextBetween("xy]", "", "]", 2), "xy");  // an empty left marker always finds 1
  EXPECT_EQ(TextBetween("<A>x</a>", "<a>", "</a>", 0, true), "");
  EXPECT_EQ(TextBetween("<a>x</a>", "<a>", "</a>", 0, true), "x");
}

TEST(TextBetweenTest, LeavesTheMarkersAlone) {
  const std::string left = "#引号";
  TextBetween("\"a\"", left, left);
  EXPECT_EQ(left, "#引号");
}

TEST(ReplaceAllTest, ReplacesOnCharacterBoundaries) {
  EXPECT_EQ(ReplaceAll("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll(kTrailBracket + "[", "[", "("), kTrailBracket + "(");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("", "a", "x"), "");
  EXPECT_EQ(ReplaceAll("#引号x#引号", "#引号", "\""), "\"x\"");
}

TEST(SplitTest, FollowsTheSeparatorRules) {
  using Members = std::vector<std::string>;
  EXPECT_EQ(Split("a,b", ","), (Members{"a", "b"}));
  EXPECT_EQ(Split("a,b,", ","), (Members{"a", "b"}));
  EXPECT_EQ(Split(",a,,b", ","), (Members{"", "a", "", "b"}));
  EXPECT_EQ(Split(",", ","), (Members{""}));
  EXPECT_EQ(Split("", ","), Members{});
  EXPECT_EQ(Split("abc", ""), (Members{"abc"}));
  EXPECT_EQ(Split("a\r\nb\r\n", "\r\n"), (Members{"a", "b"}));
  EXPECT_EQ(Split("x" + kTrailBracket + "[y", "["), (Members{"x" + kTrailBracket, "y"}));
  EXPECT_EQ(Split("甲###乙", "###"), (Members{"甲", "乙"}));
}

}  // namespace
}  // namespace text

namespace text {
namespace {

// The search exactly as the rules read: candidates stepped one character at a time.
int ReferenceFind(const std::string& text, const std::string& sub, int start, bool ignoreCase) {
  const std::size_t n = text.size();
  std::size_t i = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
  if (i >= n) return -1;
  if (sub.empty()) return 1;
  auto fold = [&](unsigned char c) {
    return (ignoreCase && c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c;
  };
  while (n - i >= sub.size()) {
    bool equal = true;
    for (std::size_t k = 0; k < sub.size() && equal; ++k) {
      equal = fold(static_cast<unsigned char>(text[i + k])) ==
              fold(static_cast<unsigned char>(sub[k]));
    }
    if (equal) return static_cast<int>(i) + 1;
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
    if (i >= n) break;
  }
  return -1;
}

TEST(FindTest, AgreesWithCharacterSteppingOnRandomText) {
  // A small alphabet with high bytes, capitals and small letters makes every kind of near
  // miss frequent: hits on trail bytes, hits across block edges, folded hits.
  const unsigned char alphabet[] = {'a', 'A', 'b', 'B', '[', '<', 0xB0, 0xA1, 0xD6, 0x41, 0x61};
  std::mt19937 random(12345);
  auto randomText = [&](std::size_t length) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) {
      s.push_back(static_cast<char>(alphabet[random() % sizeof alphabet]));
    }
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string text = randomText(random() % 300);
    const std::string sub = randomText(1 + random() % 4);
    const int start = static_cast<int>(random() % 20);
    const bool ignoreCase = random() % 2 == 0;
    ASSERT_EQ(Find(text, sub, start, ignoreCase), ReferenceFind(text, sub, start, ignoreCase))
        << "round " << round;
  }
}

}  // namespace
}  // namespace text
