#pragma once

#include <map>
#include <string>
#include <string_view>

namespace demo {

// The fields of an application/x-www-form-urlencoded text ("a=1&b=2", also a query string),
// decoded to bytes: "%XX" is the byte XX and "+" a blank. A field named twice keeps its last
// value, as the forum's scripting language does; a field without "=" has an empty value.
std::map<std::string, std::string> ParseForm(std::string_view encoded);

// One field or value of such a text decoded; a "%" not followed by two hex digits stays.
std::string DecodeFormText(std::string_view encoded);

// A value written with the script function escape(), back to GBK text: "%uXXXX" is a UTF-16
// code unit (pairs of surrogates join), "%XX" the character U+00XX, "+" a blank as in any
// query, and other bytes stand for themselves. A character GBK lacks, a lone surrogate or a
// byte above 0x7F becomes "?".
std::string DecodeEscapedText(std::string_view escaped);

}  // namespace demo
