#include "demo/demo_site.h"

#include <httplib.h>

#include <array>
#include <charconv>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "demo/catalogue_pages.h"
#include "demo/core_pages.h"
#include "demo/form_body.h"
#include "demo/forum.h"
#include "demo/html_page.h"
#include "demo/poster_image.h"
#include "demo/sample_video.h"
#include "demo/site_pages.h"
#include "text/codepage.h"

namespace demo {
namespace {

constexpr char kHost[] = "127.0.0.1";
// Path of the registration site under the main server; the forum itself sits at its root, so
// a client that confuses the two addresses gets a page that does not exist.
constexpr char kRegistrationPrefix[] = "/reg/";
constexpr char kBtSitePrefix[] = "/bt/";
constexpr char kAnnouncementPath[] = "/announcement.html";
// A browser keeps idle connections open; a short keep-alive lets Stop() return promptly.
constexpr time_t kKeepAliveSeconds = 2;

std::string Address(int port) {
  return "http://" + std::string(kHost) + ":" + std::to_string(port);
}

std::map<std::string, std::string> QueryOf(const httplib::Request& request) {
  const std::size_t question = request.target.find('?');
  if (question == std::string::npos) return {};
  return ParseForm(std::string_view(request.target).substr(question + 1));
}

std::string Value(const std::map<std::string, std::string>& fields, const char* name) {
  auto found = fields.find(name);
  return found == fields.end() ? std::string() : found->second;
}

// The server library's default lets any number of servers share a port (SO_REUSEPORT), so a
// second demo on a taken --port would silently split the requests with the first. Only
// reuse after close is allowed here.
void ExclusivePort(socket_t socket) {
  int yes = 1;
  setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

// Whether a range asks for bytes from beyond the end, which the server library would answer
// with a Content-Range header naming bytes that do not exist.
bool StartsBeyond(const httplib::Ranges& ranges, std::size_t size) {
  for (const auto& [first, last] : ranges) {
    if (first >= 0 && static_cast<std::size_t>(first) >= size) return true;
  }
  return false;
}

// Pages that answer 404 with a body of their own (the catalogue's missing page) keep it.
void AnswerNotFound(const httplib::Request& request, httplib::Response& response) {
  if (response.status == 404 && response.body.empty()) {
    response.set_content(NotFoundPage(request.path), kHtmlContentType);
  }
}

// The server answers a "Range" request with the asked part (206) from the whole body, which
// lets the browser's player seek.
void ServeSampleVideo(const httplib::Request& request, httplib::Response& response) {
  const std::string_view video = SampleVideo();
  response.set_header("Accept-Ranges", "bytes");
  if (StartsBeyond(request.ranges, video.size())) {
    response.status = 416;
    response.set_header("Content-Range", "bytes */" + std::to_string(video.size()));
    return;
  }
  response.set_content(video.data(), video.size(), kSampleVideoContentType);
}

std::optional<long long> Number(std::string_view digits) {
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<int> SmallNumber(std::string_view digits) {
  const std::optional<long long> value = Number(digits);
  if (!value || *value > kIdsPerCategory * 100LL) return std::nullopt;
  return static_cast<int>(*value);
}

// A file name as the request carried it: GBK bytes from the client's own fetch, UTF-8 from a
// browser, which escapes the characters of an address as UTF-8.
bool SameFileName(const std::string& requested, const std::string& gbkName) {
  return requested == gbkName || text::Utf8ToGbk(requested) == gbkName;
}

// The raw query fields of a request, undecoded: the search words come escaped in a way of
// their own.
std::map<std::string, std::string> RawQueryOf(const httplib::Request& request) {
  std::map<std::string, std::string> fields;
  const std::size_t question = request.target.find('?');
  if (question == std::string::npos) return fields;
  std::string_view query = std::string_view(request.target).substr(question + 1);
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view field = query.substr(0, end);
    query.remove_prefix(end == std::string_view::npos ? query.size() : end + 1);
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos) continue;
    fields[std::string(field.substr(0, equals))] = std::string(field.substr(equals + 1));
  }
  return fields;
}

}  // namespace

struct DemoSite::Servers {
  explicit Servers(CatalogueSize size) : catalogue(size) {}

  std::array<httplib::Server, kCoreCount> cores;
  httplib::Server main;
  std::array<int, kCoreCount> corePorts{};
  int mainPort = 0;
  std::vector<std::thread> threads;
  Forum forum;
  const Catalogue catalogue;
  // The words searched for so far: the front server fails the first request of each.
  std::mutex searchedMutex;
  std::set<std::string> searchedWords;

  std::string CoreAddress(int core) const {
    return Address(corePorts[static_cast<std::size_t>(core - 1)]) +
           (CoreNeedsZsbQuery(core) ? "/?zsb" : "/");
  }
  std::string SampleVideoUrl() const { return Address(mainPort) + kSampleVideoPath; }
  std::string ForumHome() const { return Address(mainPort) + kForumHomePath; }

  void RouteCore(int core) {
    httplib::Server& server = cores[static_cast<std::size_t>(core - 1)];
    server.Get("/", [this, core](const httplib::Request& request, httplib::Response& response) {
      if (CoreNeedsZsbQuery(core) && !request.has_param("zsb")) {
        response.set_content(CoreFrontPage(core, CoreAddress(core)), kHtmlContentType);
      } else {
        response.set_content(CorePlayerPage(core, SampleVideoUrl()), kHtmlContentType);
      }
    });
    server.set_error_handler(AnswerNotFound);
  }

  void RouteMain() {
    main.Get(kApplicationPagePath, [this](const httplib::Request&, httplib::Response& response) {
      response.set_content(ApplicationPage(SampleVideoUrl()), kHtmlContentType);
    });
    main.Get(kWatchListPagePath, [this](const httplib::Request&, httplib::Response& response) {
      response.set_content(WatchListPage(SampleVideoUrl()), kHtmlContentType);
    });
    main.Get(kSampleVideoPath, ServeSampleVideo);
    main.Get(kForumHomePath, [this](const httplib::Request& request, httplib::Response& response) {
      const std::string user = forum.SessionUser(request.get_header_value("Cookie"));
      response.set_content(Forum::HomePage(user), kHtmlContentType);
    });
    main.Post(kForumLoginPath,
              [this](const httplib::Request& request, httplib::Response& response) {
                const auto query = QueryOf(request);
                if (Value(query, "mod") != "logging" || Value(query, "action") != "login") {
                  response.status = 404;
                  return;
                }
                Forum::LoginReply reply = forum.Login(request.body, ForumHome());
                if (!reply.session.empty()) {
                  response.set_header("Set-Cookie", std::string(kSessionCookie) + "=" +
                                                        reply.session + "; path=/; HttpOnly");
                }
                response.set_content(reply.body, kXmlContentType);
              });
    main.Get(std::string(kRegistrationPrefix) + "member.php",
             [this](const httplib::Request& request, httplib::Response& response) {
               if (Value(QueryOf(request), "mod") != "register") {
                 response.status = 404;
                 return;
               }
               response.set_content(Forum::RegistrationPage(ForumHome()), kHtmlContentType);
             });
    RouteCatalogue();
    main.set_error_handler(AnswerNotFound);
  }

  void AnswerMissing(httplib::Response& response) {
    response.status = 404;
    response.set_content(MissingPage(), kHtmlContentType);
  }

  // A listing page; the first page of a category has no "_1" form.
  void AnswerListing(const httplib::Request& request, httplib::Response& response) {
    const std::optional<int> category = SmallNumber(request.matches[1].str());
    std::optional<int> page = 1;
    if (request.matches.size() > 2 && request.matches[2].matched) {
      page = SmallNumber(request.matches[2].str());
      if (page && *page < 2) page.reset();
    }
    if (!category || !page || catalogue.Page(*category, *page).empty()) {
      AnswerMissing(response);
      return;
    }
    response.set_content(ListingPage(catalogue, *category, *page, Address(mainPort)),
                         kHtmlContentType);
  }

  // Whether this is the first request for `words`, which the front server fails.
  bool FirstSearchFor(const std::string& words) {
    std::lock_guard lock(searchedMutex);
    return searchedWords.insert(words).second;
  }

  void AnswerSearch(const httplib::Request& request, httplib::Response& response) {
    const auto query = RawQueryOf(request);
    const std::string words = DecodeEscapedText(Value(query, "searchword"));
    if (FirstSearchFor(words)) {
      response.status = 503;
      response.set_content(FrontServerErrorPage(request.target), kHtmlContentType);
      return;
    }
    const std::optional<int> asked = SmallNumber(Value(query, "page"));
    const int page = asked && *asked > 1 ? *asked : 1;
    const std::vector<CatalogueTitle> found = catalogue.Search(words);
    std::vector<CatalogueTitle> shown;
    const std::size_t first = static_cast<std::size_t>(page - 1) * kTitlesPerListingPage;
    for (std::size_t k = first; k < found.size() && k < first + kTitlesPerListingPage; ++k)
      shown.push_back(found[k]);
    response.set_content(
        SearchReplyPage(words, shown, page, static_cast<int>(found.size()), Address(mainPort)),
        kHtmlContentType);
  }

  std::optional<CatalogueTitle> MatchedTitle(const httplib::Request& request) {
    const std::optional<int> id = SmallNumber(request.matches[1].str());
    return id ? catalogue.TitleById(*id) : std::nullopt;
  }

  void RouteCatalogue() {
    const auto listing = [this](const httplib::Request& request, httplib::Response& response) {
      AnswerListing(request, response);
    };
    main.Get(std::string(kListingPrefix) + R"((\d+)\.html)", listing);
    main.Get(std::string(kListingPrefix) + R"((\d+)_(\d+)\.html)", listing);
    main.Get(kSearchPath, [this](const httplib::Request& request, httplib::Response& response) {
      AnswerSearch(request, response);
    });
    main.Get(std::string(kDetailPrefix) + R"((\d+)\.html)",
             [this](const httplib::Request& request, httplib::Response& response) {
               const std::optional<CatalogueTitle> title = MatchedTitle(request);
               if (!title) return AnswerMissing(response);
               response.set_content(DetailPage(*title, Address(mainPort)), kHtmlContentType);
             });
    main.Get(std::string(kPosterPrefix) + R"((\d+)\.png)",
             [this](const httplib::Request& request, httplib::Response& response) {
               const std::optional<CatalogueTitle> title = MatchedTitle(request);
               if (!title) {
                 response.status = 404;
                 return;
               }
               response.set_content(PosterPng(title->id), kPngContentType);
             });
    main.Get(std::string(kDownloadPrefix) + R"((\d+)/(.+))",
             [this](const httplib::Request& request, httplib::Response& response) {
               const std::optional<CatalogueTitle> title = MatchedTitle(request);
               for (int k = 0; title && k < title->firstKindCount; ++k) {
                 if (SameFileName(request.matches[2].str(), FirstKindFileName(*title, k))) {
                   return ServeSampleVideo(request, response);
                 }
               }
               response.status = 404;
             });
    main.Get(std::string(kResourcePrefix) + R"((\d+)/(.+))",
             [this](const httplib::Request& request, httplib::Response& response) {
               const std::optional<long long> cid = Number(request.matches[1].str());
               const std::optional<CatalogueTitle> title =
                   cid && *cid / 10 <= kIdsPerCategory * 100LL
                       ? catalogue.TitleById(static_cast<int>(*cid / 10))
                       : std::nullopt;
               const int k = cid ? static_cast<int>(*cid % 10) : 0;
               if (title && k < title->secondKindCount &&
                   SameFileName(request.matches[2].str(), SecondKindFileName(*title, k))) {
                 return ServeSampleVideo(request, response);
               }
               response.status = 404;
             });
  }

  std::vector<httplib::Server*> All() {
    std::vector<httplib::Server*> all{&main};
    for (httplib::Server& core : cores)
      all.push_back(&core);
    return all;
  }
};

DemoSite::DemoSite(CatalogueSize catalogueSize) : catalogueSize_(catalogueSize) {}

DemoSite::~DemoSite() {
  Stop();
}

bool DemoSite::Start() {
  return Start(0);
}

bool DemoSite::Start(int mainPort) {
  if (servers_) return true;
  auto servers = std::make_unique<Servers>(catalogueSize_);
  for (httplib::Server* server : servers->All())
    server->set_socket_options(ExclusivePort);
  if (mainPort == 0) {
    servers->mainPort = servers->main.bind_to_any_port(kHost);
  } else {
    servers->mainPort = servers->main.bind_to_port(kHost, mainPort) ? mainPort : -1;
  }
  if (servers->mainPort <= 0) return false;
  for (std::size_t i = 0; i < servers->cores.size(); ++i) {
    servers->corePorts[i] = servers->cores[i].bind_to_any_port(kHost);
    if (servers->corePorts[i] <= 0) return false;
  }
  for (int core = 1; core <= kCoreCount; ++core)
    servers->RouteCore(core);
  servers->RouteMain();
  for (httplib::Server* server : servers->All()) {
    server->set_keep_alive_timeout(kKeepAliveSeconds);
    servers->threads.emplace_back([server] { server->listen_after_bind(); });
  }
  // Stopping a server that has not entered its loop yet would leave the loop running.
  for (httplib::Server* server : servers->All()) {
    while (!server->is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  servers_ = std::move(servers);
  return true;
}

void DemoSite::Stop() {
  if (!servers_) return;
  for (httplib::Server* server : servers_->All())
    server->stop();
  for (std::thread& thread : servers_->threads)
    thread.join();
  servers_.reset();
}

platform::Sites DemoSite::Sites() const {
  platform::Sites sites;
  if (!servers_) return sites;
  for (int core = 1; core <= kCoreCount; ++core) {
    sites.corePageAddress[static_cast<std::size_t>(core - 1)] = servers_->CoreAddress(core);
  }
  const std::string main = Address(servers_->mainPort);
  sites.btSiteAddress = main + kBtSitePrefix;
  sites.applicationSite = main;
  sites.forumBase = main + "/";
  sites.registrationBase = main + kRegistrationPrefix;
  sites.catalogueBase = main;
  sites.resourceBase = main + kResourcePrefix;
  sites.announcementAddress = main + kAnnouncementPath;
  return sites;
}

std::string DemoSite::SampleVideoUrl() const {
  return servers_ ? servers_->SampleVideoUrl() : std::string();
}

std::string DemoSite::MainAddress() const {
  return servers_ ? Address(servers_->mainPort) : std::string();
}

}  // namespace demo
