#include "catalogue/detail_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_state.h"
#include "catalogue/resource_names.h"

namespace catalogue {
namespace {

using Rows = std::vector<text::Text>;

const std::string kListEnd = "\";</script>";

TEST(FirstKindResourcesTest, ListsAddressesInReversePageOrder) {
  struct Case {
    std::string name;
    std::string page;
    Rows rows;
  };
  const std::string list = "<script>var GvodUrls = \"u1###u2###u3" + kListEnd;
  const Case cases[] = {
      {"last address not collected", list + "\r\n<p>end</p>", {"u2", "u1"}},
      {"a later separator lets the last one through, cut at the list end",
       list + "\r\n<p>###</p>",
       {"u3", "u2", "u1"}},
      {"cut on the line that holds the list end",
       "GvodUrls = \"u1###u2\r\nu2b" + kListEnd + "\r\n###",
       {"u2b", "u1"}},
      {"marker case ignored", "gvodurls = \"u1###u2###", {"u2", "u1"}},
      {"no list", "<html>###</html>", {}},
      {"empty page", "", {}},
      {"only one address", "GvodUrls = \"u1" + kListEnd, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FirstKindResources(c.page), c.rows) << c.name;
}

TEST(SecondKindTest, PutsOnePairPerRowOnTopInPageOrder) {
  const std::string page =
      "<input value=\"cid=C1&mc=M1\"/><a href=#>1</a>"
      "<input value=\"cid=C2&mc=M2\"/><a href=#>2</a>";
  Rows rows = {"u2", "u1"};
  AddSecondKind(rows, page, "http://res/");
  EXPECT_EQ(rows, (Rows{"http://res/C1/M1", "http://res/C2/M2", "u2", "u1"}));

  Rows none;
  AddSecondKind(none, "<html></html>", "http://res/");
  EXPECT_TRUE(none.empty());
}

TEST(SecondKindTest, StepDependsOnTheBoxAndTheRowsFound) {
  EXPECT_EQ(SecondKindStepFor(false, 2), SecondKindStep::kNone);
  EXPECT_EQ(SecondKindStepFor(true, 2), SecondKindStep::kAddAfterLoginNotice);
  EXPECT_EQ(SecondKindStepFor(false, 0), SecondKindStep::kAddAfterMissingNotice);
  EXPECT_EQ(SecondKindStepFor(true, 0), SecondKindStep::kAddAfterMissingNotice);
}

TEST(IntroductionTextTest, PrefixesTheActors) {
  EXPECT_EQ(IntroductionText("周星驰"), "主演周星驰");
  EXPECT_EQ(IntroductionText(""), "主演");
}

TEST(TitleFromResourceTest, CutsTheNameBetweenTagAndExtension) {
  const std::string tag = std::string(kSiteTags[2]);
  struct Case {
    std::string name;
    std::string resource;
    std::optional<std::string> title;
  };
  const Case cases[] = {
      {"tag, title, rmvb", "thunder://x/" + tag + "功夫.rmvb", "功夫"},
      {"rmvb only before the tag", "a.rmvb/" + tag + "功夫.mkv", ""},
      {"mkv", "ftp://h/" + tag + "英雄.mkv", "英雄"},
      {"capital extension falls back to mp4", "ftp://h/" + tag + "活着.RMVB", ""},
      {"capital mp4 is cut case-blind", "ftp://h/" + tag + "活着.MP4", "活着"},
      {"no tag", "ftp://h/功夫.rmvb", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TitleFromResource(c.resource), c.title) << c.name;
}

TEST(TitleFromResourceTest, TagOrderAndLetterCaseDecide) {
  ASSERT_NE(kSiteTags[0], kSiteTags[1]);
  // The later tag of the list stands first in the text; the list order still picks.
  EXPECT_EQ(TitleFromResource(std::string(kSiteTags[5]) + "甲.mp4 " + std::string(kSiteTags[2]) +
                              "乙.mp4"),
            "乙");
  // Choosing is exact, but cutting ignores ASCII case: with the two tags that differ only in
  // case, the cut starts at whichever of them stands first.
  EXPECT_EQ(TitleFromResource(std::string(kSiteTags[1]) + "甲.mp4 " + std::string(kSiteTags[0]) +
                              "乙.mp4"),
            "甲");
  EXPECT_EQ(TitleFromResource(std::string(kSiteTags[1]) + "甲.mp4"), "甲");
  EXPECT_EQ(TitleFromResource("[禾苗电影网WWW.HEMIAO.CC]甲.mp4"), std::nullopt);
}

// Answers every address with the same body and remembers the address asked for.
struct FixedPageFetch : net::PageFetch {
  std::string body;
  std::string asked;
  std::string Fetch(std::string_view url) override {
    asked = url;
    return body;
  }
};

TEST(FetchPageTest, KeepsTheBodyUpToItsFirstZeroByte) {
  CatalogueState state;
  FixedPageFetch fetch;
  fetch.body = std::string("<html>\0tail", 11);
  EXPECT_EQ(FetchPage(state, fetch, "http://c/a.html"), "<html>");
  EXPECT_EQ(fetch.asked, "http://c/a.html");
  EXPECT_EQ(state.lastPage, "<html>");
  fetch.body.clear();
  EXPECT_EQ(FetchPage(state, fetch, "x"), "");
  EXPECT_EQ(state.lastPage, "");
}

}  // namespace
}  // namespace catalogue
