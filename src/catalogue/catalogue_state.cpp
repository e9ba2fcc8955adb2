#include "catalogue/catalogue_state.h"

#include "text/edit.h"

namespace catalogue {

text::Text FetchPage(CatalogueState& state, net::PageFetch& fetch, const text::Text& url) {
  state.lastPage = text::UntilZeroByte(fetch.Fetch(url));
  return state.lastPage;
}

}  // namespace catalogue
