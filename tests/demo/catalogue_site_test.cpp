// The demo catalogue site as the client reads it: its pages are fetched with the client's own
// page fetch and read with the client's own scraper, search and detail functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue_state.h"
#include "catalogue/categories.h"
#include "catalogue/detail_resources.h"
#include "catalogue/listing_scraper.h"
#include "catalogue/resource_names.h"
#include "catalogue/search.h"
#include "catalogue/title_rows.h"
#include "demo/catalogue_data.h"
#include "demo/demo_site.h"
#include "demo/form_body.h"
#include "demo/sample_video.h"
#include "net/page_fetch.h"
#include "site_client.h"
#include "text/codepage.h"
#include "text/search.h"

namespace demo {
namespace {

using catalogue::ListingEntry;

constexpr char kFilmRegions[][5] = {"大陆", "台湾", "韩国", "欧美", "日本", "其他"};

// Every listing page of every tab, fetched once for the whole suite.
struct TabPages {
  std::vector<std::vector<ListingEntry>> pages;  // pages[p - 1]
  std::string pastLast;                          // the body of the page after the last
};

class CatalogueSiteTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    site_ = new DemoSite();
    ASSERT_TRUE(site_->Start());
    tabs_ = new std::vector<TabPages>();
    net::CurlPageFetch fetch;
    const std::string base = site_->Sites().catalogueBase;
    for (int tab = 0; tab < catalogue::kCategoryTabCount; ++tab) {
      TabPages pages;
      for (int page = 1;; ++page) {
        const std::string body = fetch.Fetch(catalogue::CategoryUrl(base, tab, page));
        std::vector<ListingEntry> entries = catalogue::ScrapeListing(body);
        if (entries.empty()) {
          pages.pastLast = body;
          break;
        }
        pages.pages.push_back(std::move(entries));
      }
      tabs_->push_back(std::move(pages));
    }
  }
  static void TearDownTestSuite() {
    delete tabs_;
    delete site_;
  }

  static std::vector<ListingEntry> AllEntries() {
    std::vector<ListingEntry> all;
    for (const TabPages& tab : *tabs_) {
      for (const auto& page : tab.pages)
        all.insert(all.end(), page.begin(), page.end());
    }
    return all;
  }

  std::string Fetch(const std::string& url) { return fetch_.Fetch(url); }

  static DemoSite* site_;
  static std::vector<TabPages>* tabs_;
  net::CurlPageFetch fetch_;
};

DemoSite* CatalogueSiteTest::site_ = nullptr;
std::vector<TabPages>* CatalogueSiteTest::tabs_ = nullptr;

TEST_F(CatalogueSiteTest, EveryTabHasFullPagesThenAShorterLastOneThenAnErrorPage) {
  int deviatingPages = 0;
  for (int tab = 0; tab < catalogue::kCategoryTabCount; ++tab) {
    SCOPED_TRACE(tab);
    const TabPages& pages = (*tabs_)[static_cast<std::size_t>(tab)];
    ASSERT_GE(pages.pages.size(), 2u);
    EXPECT_EQ(pages.pages.front().size(), 18u);
    for (std::size_t p = 0; p + 1 < pages.pages.size(); ++p) {
      // One entry of the site lacks its region line and merges with the next one.
      if (pages.pages[p].size() == 17) {
        ++deviatingPages;
        continue;
      }
      EXPECT_EQ(pages.pages[p].size(), 18u) << "page " << p + 1;
    }
    EXPECT_LE(pages.pages.back().size(), 18u);
    EXPECT_TRUE(catalogue::ScrapeListing(pages.pastLast).empty());
    EXPECT_NE(pages.pastLast.find("页面不存在"), std::string::npos);
  }
  EXPECT_EQ(deviatingPages, 1);
  EXPECT_GE((*tabs_)[0].pages.size(), 5u);
  // Some category ends on a short page, and some on a full one.
  bool shortLast = false;
  bool fullLast = false;
  for (const TabPages& tab : *tabs_) {
    (tab.pages.back().size() < 18 ? shortLast : fullLast) = true;
  }
  EXPECT_TRUE(shortLast && fullLast);
}

TEST_F(CatalogueSiteTest, FirstPageHasNoUnderscoreFormAndUnknownCategoriesAreMissing) {
  const std::string base = site_->Sites().catalogueBase;
  for (const char* path : {"/GvodHtml/15_1.html", "/GvodHtml/15_0.html", "/GvodHtml/18.html",
                           "/GvodHtml/99999999999.html"}) {
    SCOPED_TRACE(path);
    auto reply = testing_support::Get(base + path);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 404);
    EXPECT_TRUE(catalogue::ScrapeListing(reply->body).empty());
  }
  auto first = testing_support::Get(catalogue::CategoryUrl(base, 0, 1));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->get_header_value("Content-Type"), "text/html; charset=gbk");
  // The entries sit inside the site's other markup.
  EXPECT_NE(first->body.find("热播排行"), std::string::npos);
  EXPECT_NE(first->body.find("下一页"), std::string::npos);
}

TEST_F(CatalogueSiteTest, EntriesCarryEveryRegionAndMixedOnes) {
  std::set<std::string> regions;
  const std::string main = site_->MainAddress();
  for (const ListingEntry& entry : AllEntries()) {
    regions.insert(entry.region);
    int held = 0;
    for (const char* region : kFilmRegions)
      held += text::Find(entry.region, region) != text::kNotFound ? 1 : 0;
    EXPECT_GE(held, 1) << entry.region;
    EXPECT_EQ(entry.posterAddress.rfind(main + "/", 0), 0u) << entry.posterAddress;
    EXPECT_EQ(entry.detailAddress.rfind("/", 0), 0u) << entry.detailAddress;
    EXPECT_FALSE(entry.title.empty());
  }
  for (const char* region : kFilmRegions) {
    EXPECT_TRUE(regions.count(region)) << region;
  }
  // Mixed texts, which the region filter finds by containment.
  EXPECT_TRUE(regions.count("香港台湾"));
  EXPECT_TRUE(regions.count("日本韩国"));
}

TEST(EscapedTextTest, DecodesWhatTheScriptEscapeWrites) {
  struct Case {
    const char* escaped;
    const char* decoded;
  };
  const Case cases[] = {
      {"%u53D8%u5F62%u91D1%u521A", "变形金刚"},
      {"%u53d8x", "变x"},
      {"a%20b+c", "a b c"},  // "+" is a blank in a query, as the site reads it
      {"%41%2F", "A/"},
      {"%u2019", "’"},
      {"%uD83D%uDE00", "?"},  // a character GBK lacks
      {"%uD83D", "?"},        // a lone surrogate
      {"%zz%u12", "%zz%u12"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeEscapedText(c.escaped), c.decoded) << c.escaped;
  }
  for (const char* words : {"青禾", "山海之间", "it's", "a b-c/d.e_@*", "《夏日》"}) {
    EXPECT_EQ(DecodeEscapedText(catalogue::EscapeSearchWords(words)),
              text::ReplaceAll(words, "'", "’"))
        << words;
  }
}

TEST_F(CatalogueSiteTest, SearchFailsOnceForEachNewWordThenPagesThroughTheMatches) {
  const std::string base = site_->Sites().catalogueBase;
  const std::vector<ListingEntry> all = AllEntries();
  // The first two characters of a title: shared by many titles.
  const std::string word = all.front().title.substr(0, 4);
  std::size_t expected = 0;
  for (const ListingEntry& entry : all)
    expected += text::Find(entry.title, word) != text::kNotFound ? 1 : 0;
  ASSERT_GT(expected, 18u);

  EXPECT_TRUE(catalogue::IsFrontServerErrorPage(Fetch(catalogue::SearchUrl(base, 1, word))));
  std::set<std::string> seen;
  std::size_t found = 0;
  for (int page = 1;; ++page) {
    const std::string reply = Fetch(catalogue::SearchUrl(base, page, word));
    ASSERT_FALSE(catalogue::IsFrontServerErrorPage(reply)) << page;
    const auto rows = catalogue::SearchResultRows(catalogue::ReadSearchPieces(reply));
    if (rows.empty()) break;
    ASSERT_LE(rows.size(), 18u);
    if (found + 18 <= expected) {
      EXPECT_EQ(rows.size(), 18u);
    }
    for (const catalogue::TitleRow& row : rows) {
      EXPECT_NE(text::Find(row[catalogue::kTitleColumn], word), text::kNotFound);
      EXPECT_FALSE(row[catalogue::kRegionColumn].empty());
      EXPECT_FALSE(row[catalogue::kPosterColumn].empty());
      EXPECT_EQ(row[catalogue::kAddressColumn].rfind("/", 0), 0u);
      EXPECT_TRUE(seen.insert(row[catalogue::kAddressColumn]).second);
    }
    found += rows.size();
  }
  EXPECT_EQ(found, expected);

  // A whole title finds itself; every new word fails first, an old one never again.
  const std::string title = all[5].title;
  EXPECT_TRUE(catalogue::IsFrontServerErrorPage(Fetch(catalogue::SearchUrl(base, 1, title))));
  const auto rows = catalogue::SearchResultRows(
      catalogue::ReadSearchPieces(Fetch(catalogue::SearchUrl(base, 1, title))));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][catalogue::kTitleColumn], title);
  EXPECT_EQ(rows[0][catalogue::kNumberColumn], "1");
  EXPECT_FALSE(catalogue::IsFrontServerErrorPage(Fetch(catalogue::SearchUrl(base, 1, word))));
  EXPECT_TRUE(catalogue::IsFrontServerErrorPage(Fetch(catalogue::SearchUrl(base, 1, "无此片"))));
  EXPECT_TRUE(catalogue::SearchResultRows(
                  catalogue::ReadSearchPieces(Fetch(catalogue::SearchUrl(base, 1, "无此片"))))
                  .empty());
}

// Whether `address` is served as the sample video, asked for as the client's page fetch sends
// it (GBK bytes) and as a browser does (UTF-8, escaped).
void ExpectVideo(const std::string& address) {
  net::CurlPageFetch fetch;
  EXPECT_TRUE(fetch.Fetch(address) == SampleVideo()) << address;
  std::string escaped;
  for (unsigned char c : text::GbkToUtf8(address)) {
    static const char kHex[] = "0123456789ABCDEF";
    if (c >= 0x80) {
      escaped += '%';
      escaped += kHex[c >> 4];
      escaped += kHex[c & 0xF];
    } else {
      escaped += static_cast<char>(c);
    }
  }
  auto reply = testing_support::Get(escaped);
  ASSERT_TRUE(reply) << escaped;
  EXPECT_EQ(reply->status, 200);
  EXPECT_EQ(reply->get_header_value("Content-Type"), "video/webm");
}

TEST_F(CatalogueSiteTest, DetailPagesGiveBothKindsOfPlayableNamedResources) {
  const platform::Sites sites = site_->Sites();
  const Catalogue catalogue(CatalogueSize::kNormal);
  const std::vector<CatalogueTitle> titles = catalogue.Page(15, 1);
  const std::vector<ListingEntry>& entries = (*tabs_)[0].pages[0];
  ASSERT_EQ(titles.size(), entries.size());
  int onlySecond = 0;
  int lastCollected = 0;
  int lastLost = 0;
  for (std::size_t k = 0; k < titles.size(); ++k) {
    const CatalogueTitle& title = titles[k];
    SCOPED_TRACE(title.name);
    ASSERT_EQ(entries[k].title, title.name);
    const std::string page = Fetch(sites.catalogueBase + entries[k].detailAddress);
    const std::vector<std::string> firstKind = catalogue::FirstKindResources(page);
    // The last ready-made address is only read when another "###" follows on the page.
    const int readable = title.firstKindCount - (title.separatorAfterList ? 0 : 1);
    EXPECT_EQ(static_cast<int>(firstKind.size()), std::max(readable, 0));
    std::vector<std::string> rows = firstKind;
    catalogue::AddSecondKind(rows, page, sites.resourceBase);
    ASSERT_EQ(static_cast<int>(rows.size()),
              title.secondKindCount + static_cast<int>(firstKind.size()));
    for (int s = 0; s < title.secondKindCount; ++s) {
      EXPECT_EQ(rows[static_cast<std::size_t>(s)].rfind(sites.resourceBase, 0), 0u);
    }
    std::set<std::string> distinct(rows.begin(), rows.end());
    EXPECT_EQ(distinct.size(), rows.size());
    for (const std::string& row : rows) {
      EXPECT_EQ(catalogue::TitleFromResource(row), title.name) << row;
      ExpectVideo(row);
    }
    onlySecond += firstKind.empty() && title.secondKindCount > 0 ? 1 : 0;
    lastCollected += title.firstKindCount > 1 && title.separatorAfterList ? 1 : 0;
    lastLost += title.firstKindCount > 1 && !title.separatorAfterList ? 1 : 0;
  }
  EXPECT_GT(onlySecond, 0);
  EXPECT_GT(lastCollected, 0);
  EXPECT_GT(lastLost, 0);
}

TEST_F(CatalogueSiteTest, OnlyTheNamesOfATitlesResourcesAreServed) {
  const std::string main = site_->MainAddress();
  const Catalogue catalogue(CatalogueSize::kNormal);
  const CatalogueTitle first = catalogue.Page(15, 1)[0];
  const CatalogueTitle other = catalogue.Page(15, 1)[1];
  ASSERT_GT(first.firstKindCount, 0);
  for (const std::string& address :
       {main + "/down/" + std::to_string(first.id) + "/" + FirstKindFileName(other, 0),
        main + "/down/" + std::to_string(first.id) + "/x.mp4",
        main + "/res/" + SecondKindCid(first, 5) + "/" + SecondKindFileName(first, 0),
        main + "/movie/1999999.html", main + "/poster/1999999.png"}) {
    auto reply = testing_support::Get(address);
    ASSERT_TRUE(reply) << address;
    EXPECT_EQ(reply->status, 404) << address;
  }
}

TEST_F(CatalogueSiteTest, EveryTitleHasItsOwnPngPoster) {
  std::set<std::string> posters;
  const std::vector<ListingEntry>& entries = (*tabs_)[1].pages[0];
  for (const ListingEntry& entry : entries) {
    auto reply = testing_support::Get(entry.posterAddress);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    EXPECT_EQ(reply->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(reply->body.substr(0, 8), "\x89PNG\r\n\x1A\n");
    posters.insert(reply->body);
  }
  EXPECT_EQ(posters.size(), entries.size());
}

TEST(LargeCatalogueTest, HasHundredsOfPagesInACategory) {
  DemoSite site(CatalogueSize::kLarge);
  ASSERT_TRUE(site.Start());
  const Catalogue catalogue(CatalogueSize::kLarge);
  const int pages = catalogue.PageCount(15);
  ASSERT_GE(pages, 250);
  net::CurlPageFetch fetch;
  const std::string base = site.Sites().catalogueBase;
  EXPECT_EQ(catalogue::ScrapeListing(fetch.Fetch(catalogue::CategoryUrl(base, 0, 200))).size(),
            18u);
  EXPECT_FALSE(
      catalogue::ScrapeListing(fetch.Fetch(catalogue::CategoryUrl(base, 0, pages))).empty());
  EXPECT_TRUE(
      catalogue::ScrapeListing(fetch.Fetch(catalogue::CategoryUrl(base, 0, pages + 1))).empty());
}

}  // namespace
}  // namespace demo
