#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/sites.h"
#include "text/text.h"

namespace playback {

inline constexpr int kCoreCount = 5;

// One player core: another party's page with an input field and a play link. Texts are GBK.
struct PlayerCore {
  int number;                        // 1 to 5, the check box "选择框<number>"
  std::string_view caption;          // the check box's caption
  std::string_view inputName;        // looked up by name, id or title among the inputs
  std::string_view playLinkName;     // looked up by href, id, title, text or class among links
  bool hidesScrollbarsBeforeScroll;  // the page needs its scroll bars hidden twice
};

const std::array<PlayerCore, kCoreCount>& PlayerCores();

// The core's page address from the sites value.
const text::Text& CorePageAddress(const platform::Sites& sites, const PlayerCore& core);

// The selected core: the first whose check box is on; none when all are off.
std::optional<PlayerCore> ChooseCore(const std::array<bool, kCoreCount>& checked);

}  // namespace playback
