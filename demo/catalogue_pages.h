#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "demo/catalogue_data.h"

namespace demo {

// Where the catalogue site keeps its pages on the main server.
inline constexpr char kListingPrefix[] = "/GvodHtml/";
inline constexpr char kSearchPath[] = "/search.asp";
inline constexpr char kDetailPrefix[] = "/movie/";
inline constexpr char kPosterPrefix[] = "/poster/";
// Ready-made download addresses, "/down/<id>/<file name>".
inline constexpr char kDownloadPrefix[] = "/down/";
// The resource host of the second kind, "<cid>/<mc>" after it.
inline constexpr char kResourcePrefix[] = "/res/";

// `site` below is the main server's scheme and host, without a trailing slash.
std::string DetailPath(const CatalogueTitle& title);
std::string PosterAddress(std::string_view site, const CatalogueTitle& title);
std::string FirstKindAddress(std::string_view site, const CatalogueTitle& title, int k);
// The cid/mc pair of a title's k-th second-kind resource as "<cid>/<mc>".
std::string SecondKindPath(const CatalogueTitle& title, int k);

// A listing page in the site's markup (CRLF line ends, its indentation and tab inside each
// entry), with the navigation bar, a pager and a sidebar of popular titles around the entries.
std::string ListingPage(const Catalogue& catalogue, int category, int page, std::string_view site);

// What the site answers for a page it does not have: its frame, no entry.
std::string MissingPage();

// One page of search results for `words` (GBK): `shown` are the titles of page `page` out of
// `total` matches.
std::string SearchReplyPage(std::string_view words, const std::vector<CatalogueTitle>& shown,
                            int page, int total, std::string_view site);

// The error page the site's front server sends now and then instead of the reply.
std::string FrontServerErrorPage(std::string_view requestedPath);

// The detail page of a title: its introduction, the list of ready-made addresses for the
// player script and the cid/mc pairs of the second kind.
std::string DetailPage(const CatalogueTitle& title, std::string_view site);

}  // namespace demo
