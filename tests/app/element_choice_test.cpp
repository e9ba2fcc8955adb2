#include "app/element_choice.h"

#include <gtest/gtest.h>

namespace app {
namespace {

using Collection = ElementChoice::Collection;

PageElement Input(const char* type, const char* name, const char* id = "", const char* title = "") {
  PageElement element;
  element.type = type;
  element.name = name;
  element.id = id;
  element.title = title;
  return element;
}

PageElement Link(const char* href, const char* id, const char* title, const char* innerText,
                 const char* className) {
  return PageElement{"", "", id, title, href, innerText, className};
}

struct InputCase {
  const char* label;
  const char* types;
  const char* name;
  int skip;
  std::optional<ElementChoice> expected;
};

TEST(FindInputTest, ChoosesByNameIdTitlePositionAndSkip) {
  ElementSnapshot page;
  page.inputs = {
      Input("hidden", "u"),             // 0: an uncounted type, never chosen
      Input("text", "q", "", "2"),      // 1: first counted; its title is "2"
      Input("checkbox", "agree"),       // 2: uncounted
      Input("password", "pw", "u"),     // 3: second counted; its id is "u"
      Input("text", "u"),               // 4: third counted; its name is "u"
      Input("file", "upload", "", ""),  // 5: fourth counted
  };
  page.buttons = {Input("submit", "go"), Input("button", "more")};
  const std::vector<InputCase> cases = {
      {"id counts like the name", "text|password|file", "u", 0, {{Collection::kInput, 3}}},
      {"skip passes over one match", "text|password|file", "u", 1, {{Collection::kInput, 4}}},
      {"skip past every match finds nothing", "text|password|file", "u", 2, std::nullopt},
      {"an input whose type is not listed is passed over", "hidden|text", "agree", 0, std::nullopt},
      {"a number is also a name", "text|password|file", "2", 0, {{Collection::kInput, 1}}},
      {"a number selects the n-th counted input",
       "text|password|file",
       "4",
       0,
       {{Collection::kInput, 5}}},
      {"a position past the inputs finds nothing", "text|password|file", "9", 0, std::nullopt},
      {"comparison is case-sensitive", "text|password|file", "U", 0, std::nullopt},
      {"no partial name match", "text|password|file", "uploa", 0, std::nullopt},
      {"types are searched as text", "text", "pw", 0, std::nullopt},
      {"buttons only when the types ask for them", "text|password|file", "go", 0, std::nullopt},
      {"buttons come after the inputs", "text|submit|button", "go", 0, {{Collection::kButton, 0}}},
      {"the count runs on into the buttons",
       "text|button|submit",
       "4",
       0,
       {{Collection::kButton, 1}}},
      {"a button type not listed is passed over",
       "text|button",
       "more",
       0,
       {{Collection::kButton, 1}}},
  };
  for (const InputCase& c : cases) {
    EXPECT_EQ(FindInput(page, c.types, c.name, c.skip), c.expected) << c.label;
  }
}

TEST(FindInputTest, SkipIsSpentOnlyOnNameMatches) {
  ElementSnapshot page;
  page.inputs = {Input("text", "a"), Input("text", "u"), Input("text", "b"), Input("text", "u")};
  // "u" is not a number, so the position rule never fires and skip 1 reaches the second "u".
  EXPECT_EQ(FindInput(page, "text", "u", 1), (ElementChoice{Collection::kInput, 3}));
  // A match spent by the skip is not taken by its position either.
  page.inputs[2].name = "3";
  EXPECT_EQ(FindInput(page, "text", "3", 1), std::nullopt);
  EXPECT_EQ(FindInput(page, "text", "3", 0), (ElementChoice{Collection::kInput, 2}));
}

struct LinkCase {
  const char* label;
  const char* name;
  int skip;
  std::optional<int> expected;
};

TEST(FindLinkTest, ChoosesByHrefIdTitleTextClassAndPosition) {
  ElementSnapshot page;
  page.links = {
      Link("http://a.example/", "", "", "首页", "nav"),                  // 0
      Link("javascript:void(0)", "", "", "VIP通道", "play-button big"),  // 1
      Link("javascript:void(0)", "", "", "播 放", "play-button"),        // 2
      Link("#", "playBtn", "", "开始", ""),                              // 3
      Link("#", "", "playnow", "立即", ""),                              // 4
      Link("#", "", "", "2", "play-button"),                             // 5
  };
  const std::vector<LinkCase> cases = {
      {"class must be equal, not contained", "play-button", 0, 2},
      {"skip passes over a class match", "play-button", 1, 5},
      {"href", "http://a.example/", 0, 0},
      {"id", "playBtn", 0, 3},
      {"title", "playnow", 0, 4},
      {"inner text", "VIP通道", 0, 1},
      {"a number is the n-th link when nothing earlier matches", "2", 0, 1},
      {"a position past the links finds nothing", "7", 0, std::nullopt},
      {"case-sensitive", "PLAYBTN", 0, std::nullopt},
      {"a class list is not split", "big", 0, std::nullopt},
  };
  for (const LinkCase& c : cases) {
    std::optional<ElementChoice> expected;
    if (c.expected) expected = ElementChoice{Collection::kLink, *c.expected};
    EXPECT_EQ(FindLink(page, c.name, c.skip), expected) << c.label;
  }
}

TEST(FindLinkTest, EmptyPageFindsNothing) {
  EXPECT_EQ(FindLink(ElementSnapshot{}, "1", 0), std::nullopt);
  EXPECT_EQ(FindInput(ElementSnapshot{}, "text|button", "1", 0), std::nullopt);
}

TEST(NameAsNumberTest, ReadsLeadingDigits) {
  const std::vector<std::pair<const char*, int>> cases = {
      {"2", 2}, {"12", 12}, {" 3", 3}, {"4x", 4}, {"u", 0}, {"", 0}, {"-1", 0}, {"99999999999", 0}};
  for (const auto& [name, number] : cases)
    EXPECT_EQ(NameAsNumber(name), number) << name;
}

}  // namespace
}  // namespace app
