#include "catalogue/catalogue_state.h"

#include "text/edit.h"

namespace catalogue {

text::Text FetchPage(CatalogueState& state, const PageFetch& fetch, const text::Text& url) {
  state.lastPage = fetch ? text::UntilZeroByte(fetch(url)) : text::Text();
  return state.lastPage;
}

}  // namespace catalogue
