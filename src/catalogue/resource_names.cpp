#include "catalogue/resource_names.h"

#include "text/search.h"

namespace catalogue {

std::optional<text::Text> TitleFromResource(std::string_view resource) {
  const auto contains = [resource](std::string_view part) {
    return text::Find(resource, part) != text::kNotFound;
  };
  for (std::string_view tag : kSiteTags) {
    if (!contains(tag)) continue;
    std::string_view extension = kVideoExtensions.back();
    for (std::size_t k = 0; k + 1 < kVideoExtensions.size(); ++k) {
      if (contains(kVideoExtensions[k])) {
        extension = kVideoExtensions[k];
        break;
      }
    }
    return text::TextBetween(resource, tag, extension);
  }
  return std::nullopt;
}

}  // namespace catalogue
