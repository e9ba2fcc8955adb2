#include "playback/thunder_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace playback {
namespace {

TEST(Base64EncodeTest, MatchesTheStandardVectors) {
  const std::vector<std::pair<std::string, std::string>> vectors = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [in, out] : vectors)
    EXPECT_EQ(Base64Encode(in), out) << in;
  EXPECT_EQ(Base64Encode(std::string("\x00\xFF\xFE", 3)), "AP/+");
}

TEST(MakeThunderLinkTest, WrapsTrimsAndEncodes) {
  struct Case {
    std::string link;
    std::string thunder;
  };
  const std::vector<Case> cases = {
      {"", "thunder://QUFaWg=="},          {"  \xA1\xA1 ", "thunder://QUFaWg=="},
      {"abc", "thunder://QUFhYmNaWg=="},   {"x", "thunder://QUF4Wlo="},
      {"\xA1\xA1x", "thunder://QUF4Wlo="}, {"\tx", "thunder://QUEJeFpa"},
      {"中", "thunder://QUHW0Fpa"},  // GBK D6 D0, not UTF-8
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeThunderLink(c.link), c.thunder) << c.link;
}

}  // namespace
}  // namespace playback
