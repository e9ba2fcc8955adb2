#include "app/element_choice.h"

#include <limits>

#include "text/search.h"

namespace app {
namespace {

bool NamedBy(const PageElement& element, std::string_view name) {
  return element.name == name || element.id == name || element.title == name;
}

bool LinkNamedBy(const PageElement& element, std::string_view name) {
  return element.href == name || element.id == name || element.title == name ||
         element.innerText == name || element.className == name;
}

// One pass over a collection, with the running count and skip carried between collections.
template <typename Matches, typename Counted>
std::optional<int> Visit(const std::vector<PageElement>& elements, int wanted, int& count,
                         int& skip, Matches matches, Counted counted) {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const PageElement& element = elements[i];
    if (!counted(element)) continue;
    ++count;
    if (matches(element)) {
      if (skip > 0) {
        --skip;
        continue;
      }
      return static_cast<int>(i);
    }
    if (count == wanted) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace

int NameAsNumber(std::string_view name) {
  std::size_t i = 0;
  while (i < name.size() && (name[i] == ' ' || name[i] == '\t'))
    ++i;
  long long value = 0;
  for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
    value = value * 10 + (name[i] - '0');
    if (value > std::numeric_limits<int>::max()) return 0;
  }
  return static_cast<int>(value);
}

std::optional<ElementChoice> FindInput(const ElementSnapshot& page, std::string_view types,
                                       std::string_view name, int skip) {
  const int wanted = NameAsNumber(name);
  int count = 0;
  // The type is searched for inside the types text, as the page's own lookup did; an element
  // without a type is never counted.
  auto counted = [types](const PageElement& element) {
    return !element.type.empty() && text::Find(types, element.type) != text::kNotFound;
  };
  auto matches = [name](const PageElement& element) { return NamedBy(element, name); };
  if (auto found = Visit(page.inputs, wanted, count, skip, matches, counted)) {
    return ElementChoice{ElementChoice::Collection::kInput, *found};
  }
  if (text::Find(types, "button") == text::kNotFound) return std::nullopt;
  if (auto found = Visit(page.buttons, wanted, count, skip, matches, counted)) {
    return ElementChoice{ElementChoice::Collection::kButton, *found};
  }
  return std::nullopt;
}

std::optional<ElementChoice> FindLink(const ElementSnapshot& page, std::string_view name,
                                      int skip) {
  const int wanted = NameAsNumber(name);
  int count = 0;
  auto matches = [name](const PageElement& element) { return LinkNamedBy(element, name); };
  auto every = [](const PageElement&) { return true; };
  if (auto found = Visit(page.links, wanted, count, skip, matches, every)) {
    return ElementChoice{ElementChoice::Collection::kLink, *found};
  }
  return std::nullopt;
}

}  // namespace app
