#include "catalogue/search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/categories.h"

namespace catalogue {
namespace {

TEST(EscapeSearchWordsTest, WritesEcmaScriptEscapeOfTheDecodedWords) {
  struct Case {
    std::string words;
    std::string escaped;
  };
  const Case cases[] = {
      {"变形金刚", "%u53D8%u5F62%u91D1%u521A"},
      {"a b", "a%20b"},
      {"+/.", "+/."},
      {"@*_-", "@*_-"},
      {"Az09", "Az09"},
      {"'", "%u2019"},
      {"it's", "it%u2019s"},
      {"\xA8\xA6", "%E9"},  // "é" in GBK
      {"\\\"%~", "%5C%22%25%7E"},
      {"\xA1\xA1", "%u3000"},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EscapeSearchWords(c.words), c.escaped) << c.words;
}

TEST(SearchUrlTest, PutsPageAndEscapedWordsIntoTheQuery) {
  EXPECT_EQ(SearchUrl("http://127.0.0.1:8080", 1, "功夫 2"),
            "http://127.0.0.1:8080/search.asp?page=1&searchword=%u529F%u592B%202&searchtype=-1");
  EXPECT_EQ(SearchUrl("http://h", 12, ""), "http://h/search.asp?page=12&searchword=&searchtype=-1");
}

TEST(SearchReplyTest, RecognisesTheFrontServerErrorPage) {
  EXPECT_TRUE(IsFrontServerErrorPage("<h2>错误</h2>您所请求的网址（URL）无法获取<br>"));
  EXPECT_FALSE(IsFrontServerErrorPage("<li> <a href=\"/a.html\" class=\"i\"><img src="));
  EXPECT_FALSE(IsFrontServerErrorPage(""));
}

// One result as the site's search page writes it.
std::string Result(int k, bool withTitle = true) {
  const std::string n = std::to_string(k);
  return "<li> <a href=\"/GvodHtml/m" + n + ".html\" class=\"i\"><img src=\"http://img/" + n +
         ".jpg\" " + (withTitle ? "alt=\"片名" + n + "\" /><em class=\"s\">" : "alt=") +
         "</em></a>\r\n<p>主演：演员" + n +
         "</p>\r\n<p><b>状态：完结</b><b>地区：大陆</b></p></li>\r\n";
}

TEST(SearchReplyTest, BuildsNumberedRowsFromTheLinksAndFillsTheOtherColumns) {
  std::string reply = "<ul>";
  for (int k = 1; k <= 18; ++k)
    reply += Result(k, k != 18);
  const SearchPieces pieces = ReadSearchPieces(reply);
  EXPECT_EQ(pieces.detailAddresses.size(), 18u);
  EXPECT_EQ(pieces.titles.size(), 17u);

  const std::vector<TitleRow> rows = SearchResultRows(pieces);
  ASSERT_EQ(rows.size(), 18u);
  EXPECT_EQ(rows[0],
            (TitleRow{"1", "片名1", "大陆", "演员1", "http://img/1.jpg", "/GvodHtml/m1.html"}));
  EXPECT_EQ(rows[16][kNumberColumn], "17");
  EXPECT_EQ(rows[17][kNumberColumn], "18");
  EXPECT_EQ(rows[17][kTitleColumn], "");
  EXPECT_EQ(rows[17][kActorsColumn], "演员18");
}

TEST(SearchReplyTest, DropsPiecesWithoutARow) {
  SearchPieces pieces;
  pieces.detailAddresses = {"/a.html"};
  pieces.titles = {"A", "B"};
  pieces.regions = {"欧美", "大陆", "日本"};
  const std::vector<TitleRow> rows = SearchResultRows(pieces);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (TitleRow{"1", "A", "欧美", "", "", "/a.html"}));
  EXPECT_TRUE(SearchResultRows(ReadSearchPieces("")).empty());
}

TEST(CategoryUrlTest, UsesTheFirstPageFormAndTheUnderscoreForm) {
  struct Case {
    int tab;
    int page;
    std::string url;
  };
  const Case cases[] = {
      {0, 1, "http://c/GvodHtml/15.html"},
      {0, 3, "http://c/GvodHtml/15_3.html"},
      {3, 2, "http://c/GvodHtml/1_2.html"},
      {17, 1, "http://c/GvodHtml/21.html"},
      {16, 10, "http://c/GvodHtml/7_10.html"},
      {0, 0, "http://c/GvodHtml/15.html"},
      {18, 1, ""},
      {-1, 1, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CategoryUrl("http://c", c.tab, c.page), c.url) << c.tab << "/" << c.page;
}

TEST(CategoryTabsTest, RegionCollectionCoversTheFirstElevenTabs) {
  for (int tab = 0; tab < kCategoryTabCount; ++tab)
    EXPECT_EQ(kCategoryTabs[static_cast<std::size_t>(tab)].regionCollection, tab <= 10) << tab;
  EXPECT_EQ(kCategoryTabs[1].caption, "电视剧");
  EXPECT_EQ(kCategoryTabs[11].caption, "国产剧");
  EXPECT_EQ(kCategoryTabs[11].categoryNumber, 9);
}

}  // namespace
}  // namespace catalogue
