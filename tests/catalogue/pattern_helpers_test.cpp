#include "catalogue/pattern_helpers.h"

#include <gtest/gtest.h>

#include <locale>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/script_regex.h"

namespace catalogue {
namespace {

using Pieces = std::vector<text::Text>;

TEST(EscapeMarkerTest, EscapesQuantifiersAndBracketsOnly) {
  struct Case {
    std::string marker;
    std::string escaped;
  };
  const Case cases[] = {
      {"a?b*c+d", "a\\?b\\*c\\+d"},
      {"[x](y){z}", "\\[x\\]\\(y\\)\\{z\\}"},
      {"alt=#引号", "alt=\""},
      {"</p>\r\n<p>", "</p>\\n<p>"},
      {"a.b\\c^$|", "a.b\\c^$|"},
      {"<p>主演：", "<p>主演："},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EscapeMarker(c.marker), c.escaped) << c.marker;
}

TEST(ExtractAllBetweenTest, CollectsEveryPieceIgnoringMarkerCase) {
  const std::string page =
      "<img alt=\"one\" /><em class=x><IMG ALT=\"two\" /><EM CLASS=y>"
      "alt=\"three\r\nlines\" /><em class=z alt=\"unclosed";
  EXPECT_EQ(ExtractAllBetween(page, "alt=\"", "\" /><em class="),
            (Pieces{"one", "two", "three\r\nlines"}));
}

TEST(ExtractAllBetweenTest, EachPieceRunsFromALeftMarkerToTheNearestRightMarker) {
  // An earlier left marker outside the part of interest opens a piece that runs on.
  EXPECT_EQ(ExtractAllBetween("<b>地区：head <b>地区：大陆</b></p>", "<b>地区：", "</b></p>"),
            (Pieces{"head <b>地区：大陆"}));
  EXPECT_EQ(ExtractAllBetween("[a][][b]", "[", "]"), (Pieces{"a", "", "b"}));
  EXPECT_EQ(ExtractAllBetween("x.y xzy", "x.", "y"), (Pieces{"", ""}));
  EXPECT_TRUE(ExtractAllBetween("", "<", ">").empty());
  EXPECT_TRUE(ExtractAllBetween("<<<", "<", ">").empty());
  // A marker never matches across a character boundary: 0xD6 0xF7 ("主") ends in no "a".
  EXPECT_EQ(ExtractAllBetween("主a=1;a=2;", "a=", ";"), (Pieces{"1", "2"}));
  const std::string trailA = "\xB0\x61=1;";  // a character whose trail byte is "a"
  EXPECT_TRUE(ExtractAllBetween(trailA, "a=", ";").empty());
}

TEST(ExtractAllBetweenTest, ReadsTheResourcePairsOfADetailPage) {
  const std::string page =
      "<input value=\"cid=ABC&mc=111\"/><a>1</a>\r\n<input VALUE=\"CID=def&mc=222\"/><a>2</a>";
  EXPECT_EQ(ExtractAllBetween(page, "value=\"cid=", "&mc="), (Pieces{"ABC", "def"}));
  EXPECT_EQ(ExtractAllBetween(page, "&mc=", "\"/><a"), (Pieces{"111", "222"}));
}

// What ExtractAllBetween means, run through the regular-expression engine every time.
Pieces ExtractByRegex(const std::string& source, const std::string& left,
                      const std::string& right) {
  ScriptRegex regex;
  Pieces pieces;
  if (!regex.Execute(EscapeMarker(left) + "([\\s\\S]*?)" + EscapeMarker(right), source))
    return pieces;
  for (int i = 1; i <= regex.MatchCount(); ++i)
    pieces.push_back(regex.SubMatchText(i, 1));
  return pieces;
}

// Literal markers are matched without the engine; the pieces must be the engine's, markers in
// any letter case, with line breaks, characters the engine would treat as syntax, two-byte
// characters and empty markers included.
TEST(ExtractAllBetweenTest, AgreesWithTheRegexEngine) {
  const std::vector<std::string> atoms = {"a", "A", "b", "B", "\r\n", "\n",    "主", "演",
                                          "?", "(", "]", "{", ".",    "#引号", "\"", " "};
  std::mt19937 random(11);
  auto randomText = [&](std::size_t maxAtoms) {
    std::string s;
    for (std::size_t n = random() % (maxAtoms + 1); n > 0; --n)
      s += atoms[random() % atoms.size()];
    return s;
  };
  int nonEmpty = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::string left = randomText(3);
    const std::string right = randomText(2);
    const std::string source = randomText(30);
    const Pieces expected = ExtractByRegex(source, left, right);
    ASSERT_EQ(ExtractAllBetween(source, left, right), expected)
        << "[" << left << "] [" << right << "] in [" << source << "]";
    nonEmpty += expected.empty() ? 0 : 1;
  }
  EXPECT_GT(nonEmpty, 1000);
}

TEST(CollectBetweenTest, WalksASeparatorList) {
  struct Case {
    std::string source;
    Pieces pieces;
  };
  const Case cases[] = {
      {"p1###p2###p3###p4", {"p2", "p3"}},
      {"p1###p2### ###p4###p5", {"p2"}},  // stops at the first empty piece
      {"p1### 　 ###p3###p4", {}},        // blanks only count as empty
      // The right marker is looked for one byte after the piece's start, so a doubled
      // separator is no empty piece: it opens the next one.
      {"p1###p2######p4###p5", {"p2", "###p4"}},
      {"x###  a b  ###y", {"a b"}},
      {"x###\r\na\t###y", {"\r\na\t"}},
      {"no marker", {}},
      {"only###one", {}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CollectBetween(c.source, "###", "###"), c.pieces) << c.source;
}

TEST(CollectBetweenTest, IgnoresAsciiCaseAndSearchesTheRightMarkerOneByteOn) {
  EXPECT_EQ(CollectBetween("<A>x<a>y<A>", "<a>", "<A>"), (Pieces{"x", "y"}));
  // The right marker right after the left one is passed over.
  EXPECT_EQ(CollectBetween("[]x]", "[", "]"), (Pieces{"]x"}));
  EXPECT_TRUE(CollectBetween("abc", "", "c").empty());
}

TEST(ScriptRegexTest, FollowsTheScriptDialect) {
  ScriptRegex regex;
  // "." stops at a line feed only; "[\s\S]" crosses it.
  ASSERT_TRUE(regex.Execute("a(.*?)z", "a1\r2z a3\nz"));
  ASSERT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.SubMatchText(1, 1), "1\r2");
  ASSERT_TRUE(regex.Execute("a([\\s\\S]*?)z", "a1\r2z a3\nz"));
  ASSERT_EQ(regex.MatchCount(), 2);
  EXPECT_EQ(regex.SubMatchText(2, 1), "3\n");
  // Case-insensitive, multiline and global by default.
  ASSERT_TRUE(regex.Execute("^ab$", "AB\nab\r\nx"));
  EXPECT_EQ(regex.MatchCount(), 2);
  EXPECT_EQ(regex.MatchText(1), "AB");
  ASSERT_TRUE(regex.Execute("^ab$", "AB\nab", true, false, true));
  EXPECT_EQ(regex.MatchCount(), 0);
  ASSERT_TRUE(regex.Execute("ab", "ab ab", false, true, false));
  EXPECT_EQ(regex.MatchCount(), 1);
  ASSERT_TRUE(regex.Execute("x=#引号(.)", "x=\"1", false, true, true, true));
  EXPECT_EQ(regex.GetPattern(), "x=\"(.)");
  EXPECT_EQ(regex.SubMatchText(1, 1), "1");
}

// The script dialect's escapes and brackets, where Perl would read the same text otherwise.
TEST(ScriptRegexTest, ReadsEscapesAndBracketsAsTheScriptDialectDoes) {
  struct Case {
    std::string pattern;
    std::string subject;
    std::optional<std::string> first;  // the first match, none when nothing matches
  };
  const Case cases[] = {
      {"\\u4E00\\u0041", "x一a", "一a"},  // a character by its code, not "upper case" + "4E00"
      {"\\x41\\x2e", "a.", "a."},
      {"\\A\\h\\e\\Q", "x ahEq", "ahEq"},  // letters without a meaning stand for themselves
      {"\\<a\\>", "b <a>", "<a>"},         // not word boundaries
      {"a\\vb",
       "a\nb a\x0B"
       "b",
       "a\x0B"
       "b"},
      {"[\\b]", "x\x08", "\x08"},
      {"\\d+\\s\\w\\.", "ab 12 c.", "12 c."},
      {"\\cJ", "a\n", "\n"},
      {"a[^]b", "a\nb", "a\nb"},
      {"[]a]", "]a]", std::nullopt},  // an empty class matches nothing
      {"[\\]]+", "a]]", "]]"},
      {"[[:x:]]", "x]", "x]"},  // a class of "[", ":" and "x", then "]"
      // A back reference to a group that took no part matches the empty text.
      {"(a)?b\\1c", "bc", "bc"},
      {"(a)?b\\1c", "abac", "abac"},
      {"(a)?b\\1c", "abc", "bc"},
      {"(x)(y)?\\2\\1!", "xx!", "xx!"},
      {"(x)\\12", "xx2", "xx2"},  // group 1, then "2"
      {"(x)?y\\12", "y2", "y2"},
  };
  for (const Case& c : cases) {
    ScriptRegex regex;
    EXPECT_TRUE(regex.Execute(c.pattern, c.subject)) << c.pattern;
    if (c.first) {
      EXPECT_EQ(regex.MatchText(1), *c.first) << c.pattern;
    } else {
      EXPECT_EQ(regex.MatchCount(), 0) << c.pattern;
    }
  }
}

// After an empty match the next search starts one character on; the same place is not tried
// again for a longer match.
TEST(ScriptRegexTest, MovesOnOneCharacterAfterAnEmptyMatch) {
  ScriptRegex regex;
  ASSERT_TRUE(regex.Execute("a*?", "aa"));
  EXPECT_EQ(regex.MatchCount(), 3);
  EXPECT_EQ(regex.MatchText(2), "");
  EXPECT_EQ(regex.Replace("-"), "-a-a-");
  ASSERT_TRUE(regex.Execute("x*", "axx电"));
  ASSERT_EQ(regex.MatchCount(), 4);
  EXPECT_EQ(regex.MatchText(2), "xx");
  EXPECT_EQ(regex.Replace("<$&>"), "<>a<xx><>电<>");
  // A boundary after the first search still sees the character before it.
  ASSERT_TRUE(regex.Execute("\\b", "ab cd"));
  EXPECT_EQ(regex.MatchCount(), 4);
  EXPECT_EQ(regex.Replace("|"), "|ab| |cd|");
  ASSERT_TRUE(regex.Execute("^", "a\nb"));
  EXPECT_EQ(regex.Replace(">"), ">a\n>b");
}

// The dialect's "\w" is ASCII, whatever locale the program has made its own.
TEST(ScriptRegexTest, ClassesStayAsciiUnderAProgramWideLocale) {
  std::locale utf8;
  try {
    utf8 = std::locale("C.UTF-8");
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "no C.UTF-8 locale";
  }
  const std::locale previous = std::locale::global(utf8);
  ScriptRegex regex;
  const bool executed = regex.Execute("\\w+\\b", "中文abc");
  std::locale::global(previous);
  ASSERT_TRUE(executed);
  EXPECT_EQ(regex.MatchText(1), "abc");
}

TEST(ScriptRegexTest, ReportsGroupsReplacesAndCopies) {
  ScriptRegex regex;
  EXPECT_EQ(regex.GetPattern(), "");
  EXPECT_EQ(regex.MatchCount(), 0);
  ASSERT_TRUE(regex.Execute("(电)(影)?(x)?", "电影 电"));
  EXPECT_EQ(regex.SubMatchCount(), 3);
  EXPECT_EQ(regex.MatchText(2), "电");
  EXPECT_EQ(regex.SubMatchText(2, 2), "");
  EXPECT_EQ(regex.SubMatchText(1, 2), "影");
  EXPECT_EQ(regex.SubMatchText(3, 1), "");
  EXPECT_EQ(regex.SubMatchText(1, 4), "");
  EXPECT_EQ(regex.Replace("[$1]"), "[电] [电]");

  const ScriptRegex copy = regex;
  ASSERT_TRUE(regex.Execute("q", "q"));
  EXPECT_EQ(copy.MatchCount(), 2);
  EXPECT_EQ(copy.GetPattern(), "(电)(影)?(x)?");

  EXPECT_FALSE(regex.Execute("(unclosed", "unclosed"));
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_EQ(regex.GetPattern(), "(unclosed");
}

TEST(ScriptRegexTest, ReplacesByTheScriptDialectsRules) {
  struct Case {
    std::string replacement;
    bool global;
    std::string result;
  };
  // Pattern "(b)(c)?" on "abcab": matches "bc" at 2 and "b" at 5.
  const Case cases[] = {
      {"[$1|$2]", true, "a[b|c]a[b|]"},
      {"<$&>", true, "a<bc>a<b>"},
      {"$`", false, "aaab"},
      {"$'", false, "aabab"},
      {"$$1 $3 $0 $", false, "a$1 $3 $0 $ab"},
      {"$12", false, "ab2ab"},  // no group 12: group 1, then "2"
      {"\\t\\1\\", true, "a\\t\\1\\a\\t\\1\\"},
  };
  for (const Case& c : cases) {
    ScriptRegex regex;
    ASSERT_TRUE(regex.Execute("(b)(c)?", "abcab", false, true, c.global));
    EXPECT_EQ(regex.Replace(c.replacement), c.result) << c.replacement;
  }
}

}  // namespace
}  // namespace catalogue
