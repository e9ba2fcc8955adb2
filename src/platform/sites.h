#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <variant>

#include "text/text.h"

namespace platform {

// Every address of another party's site that the system talks to. The program reads them
// once at start; tests and the demo build their own value pointing at 127.0.0.1.
struct Sites {
  // The five player core pages, each a full address with its path ("/" or "/?zsb").
  std::array<text::Text, 5> corePageAddress;
  // The catalogue site's BT-download host: an absolute HTTP address ending in "/".
  text::Text btSiteAddress;
  // Scheme and host of the application site; its pages are "/Apps.html" and "/xlzm/djks.html".
  text::Text applicationSite;
  // The forum's base address, ending in "/": login and home page paths follow it.
  text::Text forumBase;
  // The registration site's base address, ending in "/".
  text::Text registrationBase;
  // The catalogue site: scheme and host without a trailing slash.
  text::Text catalogueBase;
  // The catalogue's resource host: scheme, host and a trailing "/".
  text::Text resourceBase;
  // The update announcement page.
  text::Text announcementAddress;
};

// The addresses built into the program.
Sites BuiltInSites();

// A sites file holds "key=value" lines; blank lines and lines starting with '#' are skipped.
// Keys: CorePageAddress1 .. CorePageAddress5, BtSiteAddress, ApplicationSite, ForumBase,
// RegistrationBase, CatalogueBase, ResourceBase, AnnouncementAddress. Keys left out keep their
// built-in value. Values are UTF-8 in the file and GBK in the result.
struct SitesError {
  std::string message;  // UTF-8, for the terminal
};
std::variant<Sites, SitesError> ParseSites(std::string_view fileText);
std::variant<Sites, SitesError> LoadSitesFile(const std::filesystem::path& file);

// The text of a sites file that gives every address of `sites`.
std::string WriteSites(const Sites& sites);

}  // namespace platform
