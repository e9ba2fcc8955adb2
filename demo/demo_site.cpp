#include "demo/demo_site.h"

#include <httplib.h>

#include <array>
#include <thread>
#include <vector>

#include "demo/core_pages.h"
#include "demo/form_body.h"
#include "demo/forum.h"
#include "demo/html_page.h"
#include "demo/sample_video.h"
#include "demo/site_pages.h"

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

void AnswerNotFound(const httplib::Request& request, httplib::Response& response) {
  if (response.status == 404) response.set_content(NotFoundPage(request.path), kHtmlContentType);
}

}  // namespace

struct DemoSite::Servers {
  std::array<httplib::Server, kCoreCount> cores;
  httplib::Server main;
  std::array<int, kCoreCount> corePorts{};
  int mainPort = 0;
  std::vector<std::thread> threads;
  Forum forum;

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
    // The server answers a "Range" request with the asked part (206) from the whole body,
    // which lets the browser's player seek.
    main.Get(kSampleVideoPath, [](const httplib::Request& request, httplib::Response& response) {
      const std::string_view video = SampleVideo();
      response.set_header("Accept-Ranges", "bytes");
      if (StartsBeyond(request.ranges, video.size())) {
        response.status = 416;
        response.set_header("Content-Range", "bytes */" + std::to_string(video.size()));
        return;
      }
      response.set_content(video.data(), video.size(), kSampleVideoContentType);
    });
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
    main.set_error_handler(AnswerNotFound);
  }

  std::vector<httplib::Server*> All() {
    std::vector<httplib::Server*> all{&main};
    for (httplib::Server& core : cores)
      all.push_back(&core);
    return all;
  }
};

DemoSite::DemoSite() = default;

DemoSite::~DemoSite() {
  Stop();
}

bool DemoSite::Start() {
  return Start(0);
}

bool DemoSite::Start(int mainPort) {
  if (servers_) return true;
  auto servers = std::make_unique<Servers>();
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
  sites.resourceBase = main + "/";
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
