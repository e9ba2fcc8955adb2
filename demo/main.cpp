// qinghe-demo: serves the demo site on 127.0.0.1 until SIGINT or SIGTERM.
//
//   qinghe-demo --sites-out FILE [--port N] [--catalogue normal|large]
//
// writes a sites file pointing at the site to FILE, then prints "demo site ready". The large
// catalogue has hundreds of listing pages in every category.
#include <signal.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "demo/demo_site.h"
#include "platform/sites.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kStartError = 1;

int Usage(const char* message) {
  std::fprintf(stderr,
               "qinghe-demo: %s\nusage: qinghe-demo --sites-out FILE [--port N] "
               "[--catalogue normal|large]\n",
               message);
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  std::string sitesOut;
  int port = 0;
  demo::CatalogueSize catalogue = demo::CatalogueSize::kNormal;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) return Usage("missing value after an option");
    const std::string_view value = argv[++i];
    if (option == "--sites-out") {
      sitesOut = value;
    } else if (option == "--port") {
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
      if (error != std::errc() || end != value.data() + value.size() || port < 1 || port > 65535) {
        return Usage("--port needs a number from 1 to 65535");
      }
    } else if (option == "--catalogue") {
      if (value == "normal") {
        catalogue = demo::CatalogueSize::kNormal;
      } else if (value == "large") {
        catalogue = demo::CatalogueSize::kLarge;
      } else {
        return Usage("--catalogue is normal or large");
      }
    } else {
      return Usage("unknown option");
    }
  }
  if (sitesOut.empty()) return Usage("--sites-out is required");

  // The servers' threads inherit this mask, so the signals reach only the sigwait below.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  demo::DemoSite site(catalogue);
  if (!site.Start(port)) {
    std::fprintf(stderr, "qinghe-demo: cannot listen on 127.0.0.1%s\n",
                 port == 0 ? "" : (":" + std::to_string(port)).c_str());
    return kStartError;
  }
  {
    std::ofstream out(sitesOut, std::ios::binary | std::ios::trunc);
    out << platform::WriteSites(site.Sites());
    out.close();
    if (!out) {
      std::fprintf(stderr, "qinghe-demo: cannot write %s\n", sitesOut.c_str());
      return kStartError;
    }
  }
  std::fprintf(stderr, "qinghe-demo: serving %s, sample video %s\n", site.MainAddress().c_str(),
               site.SampleVideoUrl().c_str());
  std::fputs("demo site ready\n", stdout);
  std::fflush(stdout);

  int received = 0;
  sigwait(&stopSignals, &received);
  site.Stop();
  return 0;
}
