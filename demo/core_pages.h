#pragma once

#include <string>
#include <string_view>

namespace demo {

inline constexpr int kCoreCount = 5;

// The page of player core `core` (1 to 5): a text field, a play link that plays the field's
// address in the page's <video id="player">, and around them enough of a site to scroll.
// `sampleVideoUrl` is shown on the page as an address to try.
std::string CorePlayerPage(int core, std::string_view sampleVideoUrl);

// Whether core `core` serves its player at "/?zsb" rather than at "/".
bool CoreNeedsZsbQuery(int core);

// What core 3's host shows at "/" without the query: its front page, which has no player.
std::string CoreFrontPage(int core, std::string_view playerAddress);

}  // namespace demo
