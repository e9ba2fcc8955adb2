#pragma once

#include <array>
#include <string_view>

#include "platform/sites.h"
#include "platform/waits.h"
#include "playback/player_core.h"
#include "text/text.h"

namespace playback {

// The page operations the play action asks for; the main window's page object does them.
class PlayPage {
 public:
  virtual ~PlayPage() = default;
  virtual bool Attach() = 0;
  virtual bool SetInputValue(std::string_view name, std::string_view value, int skip) = 0;
  virtual bool ClickLink(std::string_view name, int skip, bool clearTarget) = 0;
  virtual void ScrollTo(int x, int y) = 0;
  virtual void HidePageScrollbars() = 0;
};

// The controls the play action reads and writes: the address box, the browser box's address
// and the core selection's check boxes.
class PlayControls {
 public:
  virtual ~PlayControls() = default;
  virtual text::Text AddressBoxText() = 0;
  virtual void SetAddressBoxText(std::string_view text) = 0;
  virtual std::array<bool, kCoreCount> CoreChecks() = 0;
  virtual void Navigate(std::string_view address) = 0;
};

inline constexpr int kLoadWaitMilliseconds = 1500;
inline constexpr int kAfterClickWaitMilliseconds = 300;
inline constexpr int kAfterScrollWaitMilliseconds = 500;
inline constexpr int kScrollX = 100;
inline constexpr int kScrollY = 137;

// What a cut-off script leaves at the end of a copied link: a double quote and ";</script>".
inline constexpr std::string_view kScriptFragmentMarker = "\";</script>";

// A link of the BT-download host becomes a thunder link; other links are unchanged.
text::Text ConvertBtLink(std::string_view boxText, std::string_view btSiteAddress);

// When the marker occurs, each line keeps what stands before its first marker, followed by a
// line break, and lines without text after a marker are dropped.
text::Text RemoveScriptFragments(std::string_view boxText);

// Plays the address box's link in the selected core's page inside the browser box.
void PlayFromAddressBox(PlayControls& controls, PlayPage& page, platform::Waits& waits,
                        const platform::Sites& sites);

}  // namespace playback
