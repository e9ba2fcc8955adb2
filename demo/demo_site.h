#pragma once

#include <memory>
#include <string>

#include "demo/catalogue_data.h"
#include "platform/sites.h"

namespace demo {

// The forum account the demo site accepts. The password holds "&", "=" and "%", which a
// login form body only carries intact when its fields are percent-encoded.
inline constexpr char kDemoUser[] = "demo";
inline constexpr char kDemoPassword[] = "demo&pw=1%";

// Every other party's site the client talks to, served from 127.0.0.1: one server per player
// core (each core page lives at "/" or "/?zsb" of its own host) and one main server for the
// application site, the forum, the registration page, the sample video and the catalogue
// site with its resource host.
class DemoSite {
 public:
  explicit DemoSite(CatalogueSize catalogueSize = CatalogueSize::kNormal);
  ~DemoSite();
  DemoSite(const DemoSite&) = delete;
  DemoSite& operator=(const DemoSite&) = delete;

  // Binds every server to 127.0.0.1 on ephemeral ports and starts serving; false when a
  // server cannot be bound (nothing is left running then).
  bool Start();
  // As Start(), with the main server on `mainPort` (0 chooses a free one).
  bool Start(int mainPort);
  // Stops every server and waits for them; the destructor does it too.
  void Stop();

  // Every address pointing at this demo site. Only meaningful after a successful Start().
  platform::Sites Sites() const;
  // Address of the sample video, a WebM test pattern served with byte-range support.
  std::string SampleVideoUrl() const;
  // Scheme and host of the main server, without a trailing slash.
  std::string MainAddress() const;

 private:
  struct Servers;
  CatalogueSize catalogueSize_;
  std::unique_ptr<Servers> servers_;
};

}  // namespace demo
