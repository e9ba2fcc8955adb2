#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace app {

// What the page operations need to know of one element, as GBK texts read from the page.
struct PageElement {
  text::Text type;  // input and button elements
  text::Text name;
  text::Text id;
  text::Text title;
  text::Text href;  // "a" elements
  text::Text innerText;
  text::Text className;
};

// The page's "input", "button" and "a" elements below the body, each in document order, taken
// at one moment by one script.
struct ElementSnapshot {
  std::vector<PageElement> inputs;
  std::vector<PageElement> buttons;
  std::vector<PageElement> links;
};

// Which element was chosen: its collection and its index in it.
struct ElementChoice {
  enum class Collection { kInput, kButton, kLink };
  Collection collection;
  int index;

  friend bool operator==(const ElementChoice&, const ElementChoice&) = default;
};

// A name read as a number: its leading decimal digits after blanks, 0 when there are none.
int NameAsNumber(std::string_view name);

// The input (then, when `types` holds "button", the button) whose type occurs in `types` and
// whose name, id or title equals `name`, after passing over `skip` such matches; or the one
// that is the n-th counted element when `name` reads as the number n.
std::optional<ElementChoice> FindInput(const ElementSnapshot& page, std::string_view types,
                                       std::string_view name, int skip);

// The "a" element whose href, id, title, inner text or class name equals `name`, after passing
// over `skip` such matches; or the n-th link when `name` reads as the number n.
std::optional<ElementChoice> FindLink(const ElementSnapshot& page, std::string_view name, int skip);

}  // namespace app
