#include "net/page_fetch.h"

#include "net/curl_session.h"

namespace net {
namespace {

// Addresses cut from pages may hold blanks or control bytes, which the transport refuses
// outright; a browser sends them escaped.
std::string EscapeRefusedBytes(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FetchBody(std::string_view url, long transferTimeoutMs) {
  std::string body;
  EasyHandle handle = NewTransfer({kConnectTimeoutMs, transferTimeoutMs}, body);
  if (!handle) return {};
  CURL* h = handle.get();
  const std::string target = EscapeRefusedBytes(url);
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
