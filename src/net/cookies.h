#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace net {

// A cookie text holds pairs name=value separated by ";" (as received) or "; " (as built here).

// The text before the pair's first "=", trimmed; a pair without "=" is its own name.
text::Text CookieName(std::string_view pair);

// True when some pair of `pairs` has exactly the name `name`.
bool HasCookieName(const std::vector<text::Text>& pairs, std::string_view name);

// The 1-based index of the first member equal to `value` byte for byte, or -1.
int IndexOfText(const std::vector<text::Text>& members, std::string_view value);

// `source` split at `separator` and joined again with every repeated member dropped (the
// first one stays).
text::Text JoinDistinct(std::string_view source, std::string_view separator);

// Folds the cookies a response set (`received`) into the cookies a caller keeps (`cookies`):
// received pairs come first and replace older pairs of the same name, a pair whose value is
// "deleted" removes the cookie, exact repeats are dropped and every space goes. Both
// arguments are rewritten (`cookies` to the merged list, `received` without spaces); the
// merged list is also returned.
text::Text MergeCookies(text::Text& cookies, text::Text& received);

}  // namespace net
