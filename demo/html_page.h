#pragma once

#include <string>
#include <string_view>

namespace demo {

// Every page of the demo site is GBK, like the sites it stands in for.
inline constexpr char kHtmlContentType[] = "text/html; charset=gbk";

// A whole GBK HTML document around `body`.
std::string HtmlPage(std::string_view title, std::string_view style, std::string_view body);

// `raw` with the characters that HTML gives a meaning escaped, for text and attribute values.
std::string EscapeHtml(std::string_view raw);

}  // namespace demo
