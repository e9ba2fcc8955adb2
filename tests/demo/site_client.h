#pragma once

#include <httplib.h>

#include <string>

namespace testing_support {

// Splits a full address "http://host:port/path?query" into a client for its host and the
// path with query that a request to it sends.
struct SiteRequest {
  std::string schemeHostPort;
  std::string target;
};

inline SiteRequest Split(const std::string& address) {
  const std::size_t pathStart = address.find('/', address.find("://") + 3);
  if (pathStart == std::string::npos) return {address, "/"};
  return {address.substr(0, pathStart), address.substr(pathStart)};
}

inline httplib::Result Get(const std::string& address, const httplib::Headers& headers = {}) {
  const SiteRequest request = Split(address);
  httplib::Client client(request.schemeHostPort);
  return client.Get(request.target.c_str(), headers);
}

}  // namespace testing_support
