#include "net/page_fetch.h"

#include "net/curl_session.h"
#include "net/url.h"

namespace net {

std::string FetchBody(std::string_view url, long transferTimeoutMs) {
  std::string body;
  EasyHandle handle = NewTransfer({kConnectTimeoutMs, transferTimeoutMs}, body);
  if (!handle) return {};
  CURL* h = handle.get();
  // Addresses cut from pages may hold blanks or control bytes, which a browser sends escaped.
  const std::string target = PercentEscape(url, EscapedBytes::kBlanksAndControls);
  curl_easy_setopt(h, CURLOPT_URL, target.c_str());
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(h, CURLOPT_USERAGENT, kPageFetchUserAgent.data());
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  HeaderList headers(curl_slist_append(nullptr, "Accept: */*"));
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  UseSharedCookieStore(h);
  // A page cut short by a failed transfer would be taken for a whole one.
  if (curl_easy_perform(h) != CURLE_OK) return {};
  return body;
}

}  // namespace net
