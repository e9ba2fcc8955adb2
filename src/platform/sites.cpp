#include "platform/sites.h"

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "text/codepage.h"

namespace platform {
namespace {

// Each key of the file and the member it sets.
const std::map<std::string, text::Text Sites::*, std::less<>>& Members() {
  static const std::map<std::string, text::Text Sites::*, std::less<>> members = {
      {"BtSiteAddress", &Sites::btSiteAddress},
      {"ApplicationSite", &Sites::applicationSite},
      {"ForumBase", &Sites::forumBase},
      {"RegistrationBase", &Sites::registrationBase},
      {"CatalogueBase", &Sites::catalogueBase},
      {"ResourceBase", &Sites::resourceBase},
      {"AnnouncementAddress", &Sites::announcementAddress},
  };
  return members;
}

constexpr std::string_view kCoreKey = "CorePageAddress";

text::Text* Slot(Sites& sites, std::string_view key) {
  if (key.size() == kCoreKey.size() + 1 && key.substr(0, kCoreKey.size()) == kCoreKey) {
    const char digit = key.back();
    if (digit >= '1' && digit <= '5')
      return &sites.corePageAddress[static_cast<std::size_t>(digit - '1')];
    return nullptr;
  }
  auto found = Members().find(key);
  return found == Members().end() ? nullptr : &(sites.*(found->second));
}

std::string_view TrimAscii(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

Sites BuiltInSites() {
  Sites sites;
  sites.corePageAddress = {"http://player1.qinghe.example/", "http://player2.qinghe.example/",
                           "http://player3.qinghe.example/?zsb", "http://player4.qinghe.example/",
                           "http://player5.qinghe.example/"};
  sites.btSiteAddress = "http://bt.catalogue.qinghe.example/";
  sites.applicationSite = "http://apps.qinghe.example";
  sites.forumBase = "http://bbs.qinghe.example/";
  sites.registrationBase = "http://reg.qinghe.example/";
  sites.catalogueBase = "http://www.catalogue.qinghe.example";
  sites.resourceBase = "http://res.catalogue.qinghe.example/";
  sites.announcementAddress = "http://blog.qinghe.example/announcement.html";
  return sites;
}

std::variant<Sites, SitesError> ParseSites(std::string_view fileText) {
  Sites sites = BuiltInSites();
  std::size_t lineNumber = 0;
  while (!fileText.empty()) {
    ++lineNumber;
    const std::size_t end = fileText.find('\n');
    std::string_view line = TrimAscii(fileText.substr(0, end));
    fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      return SitesError{"line " + std::to_string(lineNumber) + ": expected key=value"};
    }
    const std::string_view key = TrimAscii(line.substr(0, equals));
    const std::string_view value = TrimAscii(line.substr(equals + 1));
    text::Text* slot = Slot(sites, key);
    if (slot == nullptr) {
      return SitesError{"line " + std::to_string(lineNumber) + ": unknown key \"" +
                        std::string(key) + "\""};
    }
    if (value.empty()) {
      return SitesError{"line " + std::to_string(lineNumber) + ": empty address for " +
                        std::string(key)};
    }
    *slot = text::Utf8ToGbk(value);
  }
  return sites;
}

std::variant<Sites, SitesError> LoadSitesFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return SitesError{"cannot read sites file " + file.string()};
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return SitesError{"cannot read sites file " + file.string()};
  auto result = ParseSites(content.str());
  if (auto* error = std::get_if<SitesError>(&result)) {
    error->message = file.string() + ": " + error->message;
  }
  return result;
}

std::string WriteSites(const Sites& sites) {
  std::string out;
  for (std::size_t i = 0; i < sites.corePageAddress.size(); ++i) {
    out += std::string(kCoreKey) + std::to_string(i + 1) + "=" +
           text::GbkToUtf8(sites.corePageAddress[i]) + "\n";
  }
  for (const auto& [key, member] : Members()) {
    out += key + "=" + text::GbkToUtf8(sites.*member) + "\n";
  }
  return out;
}

}  // namespace platform
