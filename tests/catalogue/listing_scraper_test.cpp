#include "catalogue/listing_scraper.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "catalogue/boost_reference.h"
#include "catalogue/lazy_chain.h"
#include "catalogue/listing_page_maker.h"
#include "catalogue/title_rows.h"

namespace catalogue {
namespace {

using testing_support::BoostAllMatches;
using testing_support::RegexMatch;

std::string ReadFixture(const std::string& name) {
  std::ifstream file(std::string(QINGHE_TEST_DATA) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The matches of `pattern` in `subject` in the same shape Boost gives them.
std::vector<RegexMatch> ChainMatches(std::string_view pattern, std::string_view subject) {
  std::vector<RegexMatch> out;
  for (const ChainMatch& match : LazyChainPattern::Parse(pattern)->FindAll(subject)) {
    RegexMatch groups{std::string(subject.substr(match.begin, match.end - match.begin))};
    for (std::string_view group : match.groups)
      groups.emplace_back(group);
    out.push_back(std::move(groups));
  }
  return out;
}

// Boost's entries for the listing pattern, after cutting at the first zero byte.
std::vector<ListingEntry> BoostEntries(std::string_view page) {
  page = page.substr(0, page.find('\0'));
  const auto matches = BoostAllMatches(ListingPattern(), page);
  EXPECT_TRUE(matches.has_value()) << "Boost gave up on a page of " << page.size() << " bytes";
  std::vector<ListingEntry> entries;
  for (const RegexMatch& m : matches.value_or(std::vector<RegexMatch>{}))
    entries.push_back(
        {m[kTitleGroup], m[kRegionGroup], m[kActorsGroup], m[kPosterGroup], m[kDetailGroup]});
  return entries;
}

TEST(ListingPatternTest, IsTheSiteMarkupByteForByte) {
  const std::string_view pattern = ListingPattern();
  EXPECT_EQ(pattern.size(), 474u);
  EXPECT_EQ(std::count(pattern.begin(), pattern.end(), '\t'), 1);
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = pattern.find("\r\n", start);
    lines.push_back(pattern.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], std::string(22, ' ') + "<div class=\"info\">");
  EXPECT_EQ(lines[2].substr(0, 24), std::string(22, ' ') + "\t<");
  EXPECT_EQ(lines[4], std::string(24, ' ') + "<p>主演：(.*?)</p>");
  EXPECT_EQ(lines[5], std::string(24, ' ') + "<p><b>状态：(.*?)</b><b>地区：(.*?)</b></p>");
  ASSERT_TRUE(LazyChainPattern::Parse(pattern).has_value());
  EXPECT_EQ(LazyChainPattern::Parse(pattern)->GroupCount(), 13);
}

TEST(ListingScraperTest, FullPageGivesEighteenRowsWithTheLastEntryOnTop) {
  const std::string page = ReadFixture("listing_18.html");
  const std::vector<ListingEntry> entries = ScrapeListing(page);
  ASSERT_EQ(entries.size(), 18u);
  EXPECT_EQ(entries, BoostEntries(page));

  const std::vector<TitleRow> rows = ListingPageRows(entries);
  ASSERT_EQ(rows.size(), 18u);
  for (std::size_t r = 0; r < rows.size(); ++r)
    EXPECT_EQ(rows[r][kNumberColumn], std::to_string(r + 1));
  EXPECT_EQ(rows.front(), (TitleRow{"1", "集结号", "大陆", "演员18甲 演员18乙",
                                    "http://img.example.test/18.jpg", "/GvodHtml/m18.html"}));
  EXPECT_EQ(rows.back()[kTitleColumn], "变形金刚");
  EXPECT_EQ(rows.back()[kRegionColumn], "欧美");
  // Entry 7's actors run over a line break, which the dot crosses.
  EXPECT_EQ(rows[11][kTitleColumn], "英雄");
  EXPECT_EQ(rows[11][kActorsColumn], "姜文 葛优\r\n周润发");
}

TEST(ListingScraperTest, ShortPageIsNumberedFromNineteenMinusItsSize) {
  const std::string page = ReadFixture("listing_3.html");
  const std::vector<ListingEntry> entries = ScrapeListing(page);
  EXPECT_EQ(entries, BoostEntries(page));
  const std::vector<TitleRow> rows = ListingPageRows(entries);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][kNumberColumn], "16");
  EXPECT_EQ(rows[0][kTitleColumn], "让子弹飞");
  EXPECT_EQ(rows[2][kNumberColumn], "18");
  EXPECT_EQ(rows[2][kTitleColumn], "变形金刚");
}

TEST(ListingScraperTest, DeviatingEntryMergesWithTheNextOne) {
  const std::string page = ReadFixture("listing_merged.html");
  const std::vector<ListingEntry> entries = ScrapeListing(page);
  EXPECT_EQ(entries, BoostEntries(page));
  ASSERT_EQ(entries.size(), 3u);
  // Entry 2 lacks its region line: its match runs on into entry 3 and takes the status and
  // region from there, while its title and address stay entry 2's.
  EXPECT_EQ(entries[1].title, "大话西游");
  EXPECT_EQ(entries[1].detailAddress, "/GvodHtml/m2.html");
  EXPECT_EQ(entries[1].region, "大陆");
  EXPECT_NE(entries[1].actors.find("演员2甲"), std::string::npos);
  EXPECT_NE(entries[1].actors.find("让子弹飞"), std::string::npos);
  EXPECT_EQ(entries[2].title, "无间道");
}

TEST(ListingScraperTest, PageIsCutAtItsFirstZeroByte) {
  std::string page = ReadFixture("listing_18.html");
  const std::size_t eleventh = page.find("alt=\"卧虎藏龙\"");
  ASSERT_NE(eleventh, std::string::npos);
  page[eleventh] = '\0';
  const std::vector<ListingEntry> entries = ScrapeListing(page);
  EXPECT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries, BoostEntries(page));
  EXPECT_TRUE(ScrapeListing(std::string("\0", 1) + ReadFixture("listing_3.html")).empty());
}

TEST(ListingScraperTest, PagesOutsideTheMarkupGiveNothing) {
  std::string lineFeeds = ReadFixture("listing_3.html");
  for (std::size_t at; (at = lineFeeds.find("\r\n")) != std::string::npos;)
    lineFeeds.erase(at, 1);
  EXPECT_TRUE(ScrapeListing("").empty());
  EXPECT_TRUE(ScrapeListing(lineFeeds).empty());
  EXPECT_TRUE(ScrapeListing("<html><body>您所请求的网址（URL）无法获取</body></html>").empty());
}

// Pages generated with entries broken in every way the generator knows, random cuts and
// noise made of pattern fragments between entries; small enough for Boost to finish.
TEST(ListingScraperTest, AgreesWithBoostOnGeneratedPages) {
  std::mt19937 random(20261211);
  int compared = 0;
  int matched = 0;
  for (int round = 0; round < 300; ++round) {
    const std::string page = testing_support::RandomListingPage(random, 1 + round % 12);
    const auto reference = BoostAllMatches(ListingPattern(), page);
    if (!reference) continue;
    ASSERT_EQ(ChainMatches(ListingPattern(), page), *reference) << "round " << round;
    ++compared;
    matched += static_cast<int>(reference->size());
  }
  EXPECT_GT(compared, 250);
  EXPECT_GT(matched, 600);
  using testing_support::Deviation;
  for (Deviation deviation :
       {Deviation::kNoRegionLine, Deviation::kBareLineFeeds, Deviation::kCutShort}) {
    for (int broken : {0, 4, 8}) {
      const std::string page = testing_support::ListingPage(9, broken, deviation);
      const auto reference = BoostAllMatches(ListingPattern(), page);
      ASSERT_TRUE(reference.has_value());
      EXPECT_EQ(ChainMatches(ListingPattern(), page), *reference)
          << "deviation " << static_cast<int>(deviation) << " at " << broken;
    }
  }
}

// The page shapes the benchmark measures, at sizes where Boost still finishes. A page served
// with bare line feeds sends Boost into exponential backtracking at any size, so only the
// scraper's own result is checked there.
TEST(ListingScraperTest, AgreesWithBoostOnBrokenAndGoodPages) {
  for (const std::string& page :
       {testing_support::GoodListingPage(60000), testing_support::BrokenListingPage(60000)}) {
    const auto reference = BoostAllMatches(ListingPattern(), page);
    ASSERT_TRUE(reference.has_value());
    EXPECT_GT(reference->size(), 20u);
    EXPECT_EQ(ChainMatches(ListingPattern(), page), *reference);
  }
  EXPECT_TRUE(ScrapeListing(testing_support::LineFeedListingPage(400000)).empty());
}

// The same reasoning holds for any literal/lazy-group pattern, including groups side by side
// and groups at either end; random short patterns over a tiny alphabet hit every corner.
TEST(LazyChainPatternTest, AgreesWithBoostOnRandomPatterns) {
  std::mt19937 random(7);
  const std::string alphabet = "ab\r\n";
  auto randomText = [&](std::size_t maxLength) {
    std::string s(random() % (maxLength + 1), ' ');
    for (char& c : s)
      c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string pattern;
    const int parts = 1 + static_cast<int>(random() % 5);
    for (int k = 0; k < parts; ++k)
      pattern += random() % 2 ? "(.*?)" : randomText(3);
    const auto chain = LazyChainPattern::Parse(pattern);
    if (!chain) continue;
    const std::string subject = randomText(24);
    const auto reference = BoostAllMatches(pattern, subject);
    ASSERT_TRUE(reference.has_value());
    ASSERT_EQ(ChainMatches(pattern, subject), *reference)
        << "pattern [" << pattern << "] subject [" << subject << "]";
  }
}

TEST(LazyChainPatternTest, RefusesOtherSyntaxAndPatternsWithoutText) {
  for (std::string_view pattern : {"a.b", "(.*)", "a+", "(.*?)(.*?)", "", "[x]", "a\\(b"})
    EXPECT_FALSE(LazyChainPattern::Parse(pattern).has_value()) << pattern;
  EXPECT_TRUE(LazyChainPattern::Parse("(.*?)x(.*?)(.*?)").has_value());
}

TEST(RegionRowsTest, KeepEntriesWhoseRegionHoldsTheBoxTextAndCountOn) {
  std::vector<ListingEntry> entries(4);
  entries[0].region = "台湾";
  entries[1].region = "大陆";
  entries[2].region = "中国台湾";
  entries[3].region = "";
  for (std::size_t k = 0; k < entries.size(); ++k)
    entries[k].title = "t" + std::to_string(k);

  const std::vector<TitleRow> rows = RegionRows(entries, "台湾", 36);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][kNumberColumn], "37");
  EXPECT_EQ(rows[0][kTitleColumn], "t0");
  EXPECT_EQ(rows[1][kNumberColumn], "38");
  EXPECT_EQ(rows[1][kTitleColumn], "t2");
  EXPECT_FALSE(RegionRow(entries[1], "台湾", 0).has_value());
  // Bytes are compared exactly: half a character is no match.
  EXPECT_FALSE(RegionRow(entries[0], std::string("台湾").substr(1, 2), 0).has_value());
}

}  // namespace
}  // namespace catalogue
