#pragma once

#include <string_view>

#include "text/text.h"

namespace net {

// The text after the first ":" of a header line, trimmed; empty text without ":".
text::Text HeaderValue(std::string_view line);

// The host of a URL, lower-cased, with ":port" when `withPort` is true and the URL names one.
// A URL without "https://" or "http://" is taken as "http://".
text::Text UrlHost(std::string_view url, bool withPort);

// The explicit port of a URL (the digits after the host's last ":", 0 when none follow it),
// else 443 for URLs starting with "https" in any case and 80 for the rest.
int UrlPort(std::string_view url);

// The path and query of a URL in its own letter case, beginning with "/"; "/" when the URL
// ends at its host.
text::Text UrlPath(std::string_view url);

// Which bytes `PercentEscape` writes as "%XX": blanks and control bytes always, since the
// transport refuses them; bytes of 0x80 and above too when `kAlsoHighBytes`.
enum class EscapedBytes { kBlanksAndControls, kAlsoHighBytes };

// The text with the chosen bytes percent-escaped (capital hex) and every other byte as given.
text::Text PercentEscape(std::string_view text, EscapedBytes which);

}  // namespace net
