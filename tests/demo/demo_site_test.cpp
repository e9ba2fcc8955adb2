#include "demo/demo_site.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <regex>
#include <string>

#include "demo/sample_video.h"
#include "site_client.h"
#include "text/search.h"

namespace demo {
namespace {

using testing_support::Get;

class DemoSiteTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(site_.Start()); }

  std::string Main(const std::string& path) const { return site_.MainAddress() + path; }

  DemoSite site_;
};

using Attributes = std::map<std::string, std::string>;

struct Element {
  Attributes attributes;
  std::string innerText;
  std::string Attribute(const char* name) const {
    auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
  }
};

std::vector<Element> Elements(const std::string& page, const char* tag) {
  static const std::regex attribute(R"re(([a-zA-Z-]+)="([^"]*)")re");
  const std::string anchorOrInput = std::string(tag) == "a"
                                        ? R"re(<a\b([^>]*)>([\s\S]*?)</a>)re"
                                        : std::string("<") + tag + R"re(\b([^>]*)>)re";
  const std::regex element(anchorOrInput);
  std::vector<Element> found;
  for (std::sregex_iterator it(page.begin(), page.end(), element), end; it != end; ++it) {
    Element e;
    const std::string inside = (*it)[1];
    for (std::sregex_iterator a(inside.begin(), inside.end(), attribute); a != end; ++a) {
      e.attributes[(*a)[1]] = (*a)[2];
    }
    if (it->size() > 2) e.innerText = (*it)[2];
    found.push_back(std::move(e));
  }
  return found;
}

// The client's choice of input field: the first input of a counted type whose name, id or
// title is the given name (inputs without a type attribute are text fields).
std::optional<Element> ChosenInput(const std::string& page, const std::string& name) {
  for (const Element& input : Elements(page, "input")) {
    std::string type = input.Attribute("type");
    if (type.empty()) type = "text";
    if (std::string("text|password|file").find(type) == std::string::npos) continue;
    if (input.Attribute("name") == name || input.Attribute("id") == name ||
        input.Attribute("title") == name) {
      return input;
    }
  }
  return std::nullopt;
}

// The client's choice of play link: the first link whose href, id, title, text or whole class
// attribute is the given name.
std::optional<Element> ChosenLink(const std::string& page, const std::string& name) {
  for (const Element& link : Elements(page, "a")) {
    if (link.Attribute("href") == name || link.Attribute("id") == name ||
        link.Attribute("title") == name || link.innerText == name ||
        link.Attribute("class") == name) {
      return link;
    }
  }
  return std::nullopt;
}

TEST_F(DemoSiteTest, EachCorePageHasTheFieldAndPlayLinkTheClientLooksFor) {
  struct Core {
    const char* caption;
    const char* input;
    const char* link;
  };
  const Core cores[] = {{"青禾云点播", "u", "play-button"},
                        {"松果云点播", "u", "play-button"},
                        {"白鹭云点播", "playAddr", "playBtn"},
                        {"竹溪云点播", "u", "play-button"},
                        {"海棠云点播", "playurl", "playnow"}};
  const platform::Sites sites = site_.Sites();
  for (std::size_t i = 0; i < std::size(cores); ++i) {
    SCOPED_TRACE(sites.corePageAddress[i]);
    auto result = Get(sites.corePageAddress[i]);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=gbk");
    const std::string& page = result->body;
    EXPECT_NE(page.find(std::string("<title>") + cores[i].caption), std::string::npos);

    const auto input = ChosenInput(page, cores[i].input);
    ASSERT_TRUE(input);
    // The play script reads the very field the client fills.
    EXPECT_NE(page.find("qhInputId='" + input->Attribute("id") + "'"), std::string::npos);
    const auto link = ChosenLink(page, cores[i].link);
    ASSERT_TRUE(link);
    EXPECT_NE((link->Attribute("onclick") + link->Attribute("href")).find("qhPlay()"),
              std::string::npos);
    // The sample video's address is on the page for a user to copy.
    EXPECT_NE(page.find(site_.SampleVideoUrl()), std::string::npos);
  }
}

TEST_F(DemoSiteTest, CoreThreeHasNoPlayerWithoutItsQuery) {
  std::string address = site_.Sites().corePageAddress[2];
  ASSERT_EQ(address.substr(address.size() - 5), "/?zsb");
  address.resize(address.size() - 4);
  auto result = Get(address);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 200);
  EXPECT_FALSE(ChosenInput(result->body, "playAddr"));
}

TEST_F(DemoSiteTest, EveryAddressPointsAtThisSite) {
  const platform::Sites sites = site_.Sites();
  const std::string main = site_.MainAddress();
  ASSERT_EQ(main.rfind("http://127.0.0.1:", 0), 0u);
  for (const std::string& core : sites.corePageAddress) {
    EXPECT_EQ(core.rfind("http://127.0.0.1:", 0), 0u) << core;
  }
  EXPECT_EQ(sites.applicationSite, main);
  EXPECT_EQ(sites.catalogueBase, main);
  EXPECT_EQ(sites.forumBase, main + "/");
  EXPECT_EQ(sites.resourceBase, main + "/res/");
  for (const std::string* base : {&sites.btSiteAddress, &sites.registrationBase}) {
    EXPECT_EQ(base->rfind(main + "/", 0), 0u) << *base;
    EXPECT_EQ(base->back(), '/') << *base;
  }
  EXPECT_EQ(sites.announcementAddress.rfind(main + "/", 0), 0u);
}

TEST_F(DemoSiteTest, ServesTheApplicationSiteAndForumPages) {
  const platform::Sites sites = site_.Sites();
  struct Case {
    std::string address;
    int status;
    const char* marker;
  };
  const Case cases[] = {
      {sites.applicationSite + "/Apps.html", 200, "应用中心"},
      {sites.applicationSite + "/xlzm/djks.html", 200, "大家在看"},
      {sites.forumBase + "forum.php", 200, "青禾论坛"},
      {sites.registrationBase + "member.php?mod=register", 200, "注册新帐号"},
      // Registration lives on its own site, not under the forum.
      {sites.forumBase + "member.php?mod=register", 404, "404"},
      {sites.registrationBase + "member.php?mod=profile", 404, "404"},
      {sites.applicationSite + "/no-such-page.html", 404, "404"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    auto result = Get(c.address);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status);
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=gbk");
    EXPECT_NE(result->body.find(c.marker), std::string::npos);
  }
}

TEST_F(DemoSiteTest, SampleVideoIsServedWholeAndInRanges) {
  const std::string_view video = SampleVideo();
  ASSERT_GT(video.size(), 10000u);
  // A WebM file opens with the EBML magic number.
  EXPECT_EQ(video.substr(0, 4), "\x1A\x45\xDF\xA3");

  auto whole = Get(site_.SampleVideoUrl());
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->status, 200);
  EXPECT_EQ(whole->get_header_value("Content-Type"), "video/webm");
  EXPECT_EQ(whole->get_header_value("Accept-Ranges"), "bytes");
  EXPECT_TRUE(whole->body == video);

  const std::string size = std::to_string(video.size());
  struct Case {
    std::string range;
    std::size_t offset;
    std::size_t length;
    std::string contentRange;
  };
  const Case cases[] = {
      {"bytes=1000-1999", 1000, 1000, "bytes 1000-1999/" + size},
      {"bytes=" + std::to_string(video.size() - 10) + "-", video.size() - 10, 10,
       "bytes " + std::to_string(video.size() - 10) + "-" + std::to_string(video.size() - 1) + "/" +
           size},
      {"bytes=-100", video.size() - 100, 100,
       "bytes " + std::to_string(video.size() - 100) + "-" + std::to_string(video.size() - 1) +
           "/" + size},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.range);
    auto part = Get(site_.SampleVideoUrl(), {{"Range", c.range}});
    ASSERT_TRUE(part);
    EXPECT_EQ(part->status, 206);
    EXPECT_EQ(part->get_header_value("Content-Range"), c.contentRange);
    EXPECT_TRUE(part->body == video.substr(c.offset, c.length));
  }
  auto beyond = Get(site_.SampleVideoUrl(), {{"Range", "bytes=" + size + "-"}});
  ASSERT_TRUE(beyond);
  EXPECT_EQ(beyond->status, 416);
  EXPECT_EQ(beyond->get_header_value("Content-Range"), "bytes */" + size);
}

// The login as the client sends it: the forum address with its fixed query and a form body.
httplib::Result PostLogin(const platform::Sites& sites, const std::string& user,
                          const std::string& password, const httplib::Headers& headers = {}) {
  const auto request = testing_support::Split(
      sites.forumBase +
      "member.php?mod=logging&action=login&loginsubmit=yes&infloat=yes&lssubmit=yes&inajax=1");
  httplib::Client client(request.schemeHostPort);
  return client.Post(request.target.c_str(), headers,
                     "fastloginfield=username&username=" + user + "&password=" + password +
                         "&quickforward=yes&handlekey=ls",
                     "application/x-www-form-urlencoded");
}

TEST_F(DemoSiteTest, ForumLoginRepliesLikeTheRealForum) {
  struct Case {
    const char* what;
    std::string user;      // as it goes into the body
    std::string password;  // as it goes into the body
    const char* found;     // what the client's classification finds first
    const char* explanation;
  };
  const Case cases[] = {
      // kDemoPassword percent-encoded: "demo&pw=1%".
      {"demo account", "demo", "demo%26pw%3D1%25", "欢迎您回来", ""},
      {"wrong password", "demo", "secret", "登录失败", "登录失败，您还可以尝试 4 次"},
      // The demo password unescaped splits into other fields of the form.
      {"unescaped password", "demo", "demo&pw=1%", "登录失败", "登录失败，您还可以尝试 3 次"},
      {"unknown GBK user", "%C7%E0%BA%CC", "demo%26pw%3D1%25", "登录失败",
       "登录失败，您还可以尝试 4 次"},
      {"empty password", "demo", "", "抱歉，密码空或包含非法字符", ""},
      {"quote in password", "demo", "a%27b", "抱歉，密码空或包含非法字符", ""},
  };
  const platform::Sites sites = site_.Sites();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto reply = PostLogin(sites, c.user, c.password);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    EXPECT_EQ(reply->get_header_value("Content-Type"), "text/xml; charset=gbk");
    const std::string& body = reply->body;
    EXPECT_EQ(body.rfind("<?xml version=\"1.0\" encoding=\"gbk\"?>", 0), 0u);
    std::string first;
    for (const char* marker :
         {"登录失败", "欢迎您回来", "抱歉，密码空或包含非法字符", "window.location.href"}) {
      if (body.find(marker) != std::string::npos) {
        first = marker;
        break;
      }
    }
    EXPECT_EQ(first, c.found);
    if (*c.explanation) {
      EXPECT_EQ(text::TextBetween(body, "CDATA[", "<script"), c.explanation);
    }
    EXPECT_EQ(reply->has_header("Set-Cookie"), first == "欢迎您回来");
  }
}

TEST_F(DemoSiteTest, SuccessfulLoginOpensASessionForTheForum) {
  const platform::Sites sites = site_.Sites();
  auto reply = PostLogin(sites, kDemoUser, "demo%26pw%3D1%25");
  ASSERT_TRUE(reply);
  const std::string setCookie = reply->get_header_value("Set-Cookie");
  const std::string cookie = setCookie.substr(0, setCookie.find(';'));
  ASSERT_FALSE(cookie.empty());

  auto guest = Get(sites.forumBase + "forum.php");
  auto member = Get(sites.forumBase + "forum.php", {{"Cookie", "other=1; " + cookie}});
  auto forged = Get(sites.forumBase + "forum.php", {{"Cookie", cookie + "0"}});
  ASSERT_TRUE(guest && member && forged);
  EXPECT_NE(guest->body.find("游客"), std::string::npos);
  EXPECT_NE(member->body.find("demo，欢迎您回来"), std::string::npos);
  EXPECT_NE(forged->body.find("游客"), std::string::npos);
}

TEST(DemoSiteLifeTest, StopsAndStartsAgain) {
  DemoSite site;
  ASSERT_TRUE(site.Start());
  const std::string first = site.Sites().corePageAddress[0];
  site.Stop();
  EXPECT_FALSE(Get(first));
  ASSERT_TRUE(site.Start());
  auto page = Get(site.Sites().corePageAddress[0]);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
}

}  // namespace
}  // namespace demo
