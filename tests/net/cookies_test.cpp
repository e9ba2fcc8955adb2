#include "net/cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MergeCase {
  std::string cookies;
  std::string received;
  std::string merged;
  std::string receivedAfter;
};

TEST(Cookies, MergeCookies) {
  const MergeCase cases[] = {
      {"", "a=1;b=2", "a=1; b=2", "a=1;b=2"},
      // Received pairs come first and replace older pairs of the same name.
      {"b=1; c=3", "a=1; b=2", "a=1; b=2; c=3", "a=1;b=2"},
      // "=deleted" removes the cookie and is not kept itself.
      {"a=1; b=2", "b=deleted", "a=1", "b=deleted"},
      {"a=1", "a=deleted", "", "a=deleted"},
      // Every space goes, inside values too, full-width ones as well.
      {"x = hello world; y=　z", "", "x=helloworld; y=z", ""},
      // Of several old pairs with one name only the first survives.
      {"a=1; a=2", "", "a=1", ""},
      // Exact repeats are dropped.
      {"", "a=1;a=1;b=2", "a=1; b=2", "a=1;a=1;b=2"},
      {"", "", "", ""},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.cookies + " | " + c.received);
    std::string cookies = c.cookies;
    std::string received = c.received;
    EXPECT_EQ(net::MergeCookies(cookies, received), c.merged);
    EXPECT_EQ(cookies, c.merged);
    EXPECT_EQ(received, c.receivedAfter);
  }
}

TEST(Cookies, NamesAndLists) {
  EXPECT_EQ(net::CookieName("a=1=2"), "a");
  EXPECT_EQ(net::CookieName(" b =2"), "b");
  EXPECT_EQ(net::CookieName("flag"), "flag");
  EXPECT_EQ(net::CookieName("=x"), "");

  const std::vector<std::string> pairs = {"sid=1", "uid=2", "sid=3"};
  EXPECT_TRUE(net::HasCookieName(pairs, "uid"));
  EXPECT_FALSE(net::HasCookieName(pairs, "UID"));
  EXPECT_FALSE(net::HasCookieName(pairs, "si"));

  EXPECT_EQ(net::IndexOfText(pairs, "sid=3"), 3);
  EXPECT_EQ(net::IndexOfText(pairs, "sid"), -1);
  EXPECT_EQ(net::IndexOfText({}, ""), -1);
}

TEST(Cookies, JoinDistinct) {
  const std::vector<std::vector<std::string>> cases = {
      {"a; b; a; c; b", "; ", "a; b; c"}, {"x", "; ", "x"}, {"", "; ", ""}, {"a,,a,", ",", "a,"},
      {"甲;乙;甲", ";", "甲;乙"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(net::JoinDistinct(c[0], c[1]), c[2]) << c[0];
}

}  // namespace
