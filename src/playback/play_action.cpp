#include "playback/play_action.h"

#include "playback/thunder_link.h"
#include "text/search.h"

namespace playback {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

text::Text ConvertBtLink(std::string_view boxText, std::string_view btSiteAddress) {
  if (!btSiteAddress.empty() && text::Find(boxText, btSiteAddress) != text::kNotFound) {
    return MakeThunderLink(boxText);
  }
  return text::Text(boxText);
}

text::Text RemoveScriptFragments(std::string_view boxText) {
  if (text::Find(boxText, kScriptFragmentMarker) == text::kNotFound) return text::Text(boxText);
  text::Text kept;
  for (const text::Text& line : text::Split(boxText, kLineBreak)) {
    const std::vector<text::Text> pieces = text::Split(line, kScriptFragmentMarker);
    if (pieces.size() > 1) {
      kept += pieces.front();
      kept += kLineBreak;
    }
  }
  return kept;
}

void PlayFromAddressBox(PlayControls& controls, PlayPage& page, platform::Waits& waits,
                        const platform::Sites& sites) {
  const text::Text original = controls.AddressBoxText();
  text::Text tidied = ConvertBtLink(original, sites.btSiteAddress);
  tidied = RemoveScriptFragments(tidied);
  if (tidied != original) controls.SetAddressBoxText(tidied);

  const std::optional<PlayerCore> core = ChooseCore(controls.CoreChecks());
  if (!core) return;

  controls.Navigate(CorePageAddress(sites, *core));
  waits.WaitProcessingEvents(kLoadWaitMilliseconds);
  page.Attach();
  // The box is read again: the user may have changed it while the page was loading.
  page.SetInputValue(core->inputName, controls.AddressBoxText(), 0);
  page.ClickLink(core->playLinkName, 0, false);
  waits.WaitProcessingEvents(kAfterClickWaitMilliseconds);
  if (core->hidesScrollbarsBeforeScroll) page.HidePageScrollbars();
  page.ScrollTo(kScrollX, kScrollY);
  waits.WaitProcessingEvents(kAfterScrollWaitMilliseconds);
  page.HidePageScrollbars();
}

}  // namespace playback
