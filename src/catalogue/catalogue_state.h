#pragma once

#include "net/page_fetch.h"
#include "text/text.h"

namespace catalogue {

enum class CatalogueMode { kCategory, kSearch };

// What the catalogue window's handlers share: which kind of list is shown, the page numbers
// the page buttons move, and the page fetched last.
struct CatalogueState {
  CatalogueMode mode = CatalogueMode::kCategory;
  int categoryPage = 1;
  int searchPage = 1;
  text::Text lastPage;
};

// Fetches `url`, keeps the body up to its first zero byte as the last page and returns it.
// The site's pages are GBK like all text here, so no conversion takes place.
text::Text FetchPage(CatalogueState& state, net::PageFetch& fetch, const text::Text& url);

}  // namespace catalogue
