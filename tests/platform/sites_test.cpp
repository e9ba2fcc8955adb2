#include "platform/sites.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(SitesTest, FileReplacesTheGivenAddresses) {
  auto result = ParseSites(
      "# demo\n"
      "CorePageAddress3 = http://127.0.0.1:8080/?zsb\r\n"
      "\n"
      "ForumBase=http://127.0.0.1:8080/bbs/\n");
  ASSERT_TRUE(std::holds_alternative<Sites>(result));
  const Sites& sites = std::get<Sites>(result);
  EXPECT_EQ(sites.corePageAddress[2], "http://127.0.0.1:8080/?zsb");
  EXPECT_EQ(sites.forumBase, "http://127.0.0.1:8080/bbs/");
  EXPECT_EQ(sites.corePageAddress[0], BuiltInSites().corePageAddress[0]);
}

TEST(SitesTest, BadFilesAreErrors) {
  for (const char* bad :
       {"CorePageAddress6=http://x/\n", "Nonsense=1\n", "ForumBase\n", "ForumBase=\n"}) {
    auto result = ParseSites(bad);
    ASSERT_TRUE(std::holds_alternative<SitesError>(result)) << bad;
    EXPECT_NE(std::get<SitesError>(result).message.find("line 1"), std::string::npos);
  }
  EXPECT_TRUE(std::holds_alternative<SitesError>(LoadSitesFile("/nonexistent/sites.conf")));
}

TEST(SitesTest, WrittenFileReadsBack) {
  Sites sites = BuiltInSites();
  sites.catalogueBase = "http://127.0.0.1:1";
  auto result = ParseSites(WriteSites(sites));
  ASSERT_TRUE(std::holds_alternative<Sites>(result));
  EXPECT_EQ(std::get<Sites>(result).catalogueBase, "http://127.0.0.1:1");
  EXPECT_EQ(WriteSites(std::get<Sites>(result)), WriteSites(sites));
}

}  // namespace
}  // namespace platform
