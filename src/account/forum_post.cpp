#include "account/forum_post.h"

#include "net/http_request.h"

namespace account {
namespace {

constexpr int kPostMethod = 1;

}  // namespace

std::string PostLoginForm(const text::Text& address, const std::string& body) {
  net::HttpRequestOptions options;
  options.method = kPostMethod;
  options.postBytes = body;
  return net::HttpRequest(address, options);
}

}  // namespace account
