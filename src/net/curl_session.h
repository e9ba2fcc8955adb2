#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace net {

// What every transfer of this folder sets alike.
struct TransferLimits {
  long connectTimeoutMs;
  long transferTimeoutMs;
};

struct EasyHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleDeleter>;

struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// A fresh transfer handle with the library initialised once per process; null when the
// library cannot give one. The handle uses no proxy from the environment, honours `limits`
// and passes every received body byte to `body`.
EasyHandle NewTransfer(const TransferLimits& limits, std::string& body);

// Attaches the process-wide cookie store, which every transfer that leaves cookies to the
// library shares (a login's cookies reach later page fetches), and switches the cookie
// engine on for the transfer.
void UseSharedCookieStore(CURL* handle);

// Forgets every cookie of the process-wide store.
void ClearSharedCookies();

}  // namespace net
