#include "playback/play_action.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/thunder_link.h"

namespace playback {
namespace {

const std::string kBt = "http://bt.example/";
const std::string kMarker = "\";</script>";

TEST(PlayTextTest, BtLinksBecomeThunderLinks) {
  EXPECT_EQ(ConvertBtLink("  " + kBt + "a.torrent ", kBt), MakeThunderLink(kBt + "a.torrent"));
  EXPECT_EQ(ConvertBtLink("  " + kBt + "a.torrent ", kBt).rfind("thunder://", 0), 0u);
  // Only links that contain the BT host are converted; the search is case-sensitive.
  for (const std::string& other :
       {std::string("http://v.example/a.mp4"), std::string("thunder://QUFaWg=="),
        std::string("HTTP://BT.EXAMPLE/a.torrent"), std::string(" 播放 ")}) {
    EXPECT_EQ(ConvertBtLink(other, kBt), other);
  }
}

TEST(PlayTextTest, ScriptFragmentsAreCut) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"x" + kMarker + "y", "x\r\n"},
      {"x" + kMarker, ""},
      {"a" + kMarker + "b\r\nc\r\nd" + kMarker + "e" + kMarker + "f", "a\r\nd\r\n"},
      {kMarker + "tail", "\r\n"},
      {"http://v.example/a.mp4", "http://v.example/a.mp4"},
      {"x\";</scrip", "x\";</scrip"},
      // The marker is recognised only on a character boundary: here its quote would be the
      // trail byte of a two-byte character.
      {"x\xB0\"" + kMarker.substr(1) + "\r\ny" + kMarker + "z", "y\r\n"},
  };
  for (const auto& [box, expected] : cases)
    EXPECT_EQ(RemoveScriptFragments(box), expected) << box;
}

TEST(ChooseCoreTest, LowestCheckedCoreWins) {
  EXPECT_EQ(ChooseCore({true, false, false, false, false})->number, 1);
  EXPECT_EQ(ChooseCore({false, false, true, false, true})->number, 3);
  EXPECT_EQ(ChooseCore({false, false, false, false, true})->inputName, "playurl");
  EXPECT_FALSE(ChooseCore({false, false, false, false, false}).has_value());
}

// Records every request of the play action in one log, so that the order can be checked.
struct Recorder : PlayControls, PlayPage, platform::Waits {
  std::vector<std::string> log;
  text::Text box;
  std::array<bool, kCoreCount> checks{true, false, false, false, false};
  text::Text boxAfterLoad;  // what the user types while the page loads; empty: no change

  text::Text AddressBoxText() override { return box; }
  void SetAddressBoxText(std::string_view text) override {
    box = text::Text(text);
    log.push_back("box " + box);
  }
  std::array<bool, kCoreCount> CoreChecks() override { return checks; }
  void Navigate(std::string_view address) override { log.push_back("go " + std::string(address)); }
  bool Attach() override {
    log.push_back("attach");
    return true;
  }
  bool SetInputValue(std::string_view name, std::string_view value, int skip) override {
    log.push_back("set " + std::string(name) + "=" + std::string(value) + " " +
                  std::to_string(skip));
    return true;
  }
  bool ClickLink(std::string_view name, int skip, bool clearTarget) override {
    log.push_back("click " + std::string(name) + " " + std::to_string(skip) +
                  (clearTarget ? " clear" : ""));
    return true;
  }
  void ScrollTo(int x, int y) override {
    log.push_back("scroll " + std::to_string(x) + "," + std::to_string(y));
  }
  void HidePageScrollbars() override { log.push_back("hide"); }
  void WaitProcessingEvents(int milliseconds) override {
    log.push_back("wait " + std::to_string(milliseconds));
    if (milliseconds == kLoadWaitMilliseconds && !boxAfterLoad.empty()) box = boxAfterLoad;
  }
};

platform::Sites TestSites() {
  platform::Sites sites = platform::BuiltInSites();
  for (int i = 0; i < kCoreCount; ++i)
    sites.corePageAddress[i] = "http://core" + std::to_string(i + 1) + "/";
  sites.btSiteAddress = kBt;
  return sites;
}

TEST(PlayFromAddressBoxTest, RunsTheStepsInOrderForEachCore) {
  for (int core = 1; core <= kCoreCount; ++core) {
    Recorder recorder;
    recorder.box = "http://v.example/a.mp4";
    recorder.checks = {};
    recorder.checks[core - 1] = true;
    PlayFromAddressBox(recorder, recorder, recorder, TestSites());
    const PlayerCore& row = PlayerCores()[core - 1];
    std::vector<std::string> expected = {
        "go http://core" + std::to_string(core) + "/",
        "wait 1500",
        "attach",
        "set " + std::string(row.inputName) + "=http://v.example/a.mp4 0",
        "click " + std::string(row.playLinkName) + " 0",
        "wait 300"};
    if (core == 4) expected.push_back("hide");
    expected.insert(expected.end(), {"scroll 100,137", "wait 500", "hide"});
    EXPECT_EQ(recorder.log, expected) << "core " << core;
  }
}

TEST(PlayFromAddressBoxTest, SendsTheTidiedBoxAsItIsAfterTheLoad) {
  Recorder recorder;
  recorder.box = " " + kBt + "f.torrent";
  PlayFromAddressBox(recorder, recorder, recorder, TestSites());
  const text::Text thunder = MakeThunderLink(kBt + "f.torrent");
  EXPECT_EQ(recorder.log.front(), "box " + thunder);
  EXPECT_EQ(recorder.log[4], "set u=" + thunder + " 0");

  // The box is read again after the load wait, trailing line break and all.
  Recorder typing;
  typing.box = "x" + kMarker + "y";
  typing.boxAfterLoad = "http://typed.example/";
  PlayFromAddressBox(typing, typing, typing, TestSites());
  EXPECT_EQ(typing.log.front(), "box x\r\n");
  EXPECT_EQ(typing.log[4], "set u=http://typed.example/ 0");

  Recorder emptied;
  emptied.box = "x" + kMarker;
  PlayFromAddressBox(emptied, emptied, emptied, TestSites());
  EXPECT_EQ(emptied.log.front(), "box ");
  EXPECT_EQ(emptied.log[4], "set u= 0");
}

TEST(PlayFromAddressBoxTest, WithoutACoreOnlyTheTextIsTidied) {
  Recorder recorder;
  recorder.box = "x" + kMarker + "y";
  recorder.checks = {};
  PlayFromAddressBox(recorder, recorder, recorder, TestSites());
  EXPECT_EQ(recorder.log, std::vector<std::string>{"box x\r\n"});

  Recorder untouched;
  untouched.box = "http://v.example/a.mp4";
  untouched.checks = {};
  PlayFromAddressBox(untouched, untouched, untouched, TestSites());
  EXPECT_TRUE(untouched.log.empty());
}

}  // namespace
}  // namespace playback
