#pragma once

#include <string>

#include "text/text.h"

namespace account {

// Posts the login form through the request engine as the forum expects it: method POST, the
// body as bytes and every other parameter omitted, so the default headers, the transport's
// own cookie store and its redirect handling apply. Returns the reply bytes, empty when
// nothing came back.
std::string PostLoginForm(const text::Text& address, const std::string& body);

}  // namespace account
