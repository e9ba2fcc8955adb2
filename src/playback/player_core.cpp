#include "playback/player_core.h"

namespace playback {

const std::array<PlayerCore, kCoreCount>& PlayerCores() {
  static const std::array<PlayerCore, kCoreCount> cores = {{
      {1, "青禾云点播", "u", "play-button", false},
      {2, "松果云点播", "u", "play-button", false},
      {3, "白鹭云点播", "playAddr", "playBtn", false},
      {4, "竹溪云点播", "u", "play-button", true},
      {5, "海棠云点播", "playurl", "playnow", false},
  }};
  return cores;
}

const text::Text& CorePageAddress(const platform::Sites& sites, const PlayerCore& core) {
  return sites.corePageAddress.at(static_cast<std::size_t>(core.number - 1));
}

std::optional<PlayerCore> ChooseCore(const std::array<bool, kCoreCount>& checked) {
  for (std::size_t i = 0; i < checked.size(); ++i) {
    if (checked[i]) return PlayerCores()[i];
  }
  return std::nullopt;
}

}  // namespace playback
