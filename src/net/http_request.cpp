#include "net/http_request.h"

#include "net/cookies.h"
#include "net/curl_session.h"
#include "net/url.h"
#include "text/edit.h"
#include "text/search.h"

namespace net {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUserAgentMarker = "User-Agent:";
constexpr std::string_view kLocationMarker = "Location:";
constexpr std::string_view kSetCookieMarker = "Set-Cookie";
constexpr std::string_view kSetCookieLeft = "Set-Cookie:";
constexpr std::string_view kCookieLine = "\r\nCookie: ";
constexpr std::string_view kPairJoin = "; ";
constexpr std::string_view kProxyScheme = "http://";
// The engine only follows a 301 whose reason phrase begins with "Moved".
constexpr std::string_view kStatusLeft = "HTTP/1.1 ";
constexpr std::string_view kStatusRight = " Moved";
constexpr std::string_view kMovedStatus = "301";
constexpr long kHighestPort = 65535;

struct DefaultHeader {
  std::string_view searchedFor;
  std::string_view line;
};
// Appended in this order, each only when the header text lacks it (exact case); the Referer
// line gets the URL after it.
constexpr DefaultHeader kDefaultHeaders[] = {
    {"Accept:", "\r\nAccept: */*"},
    {"Accept-Language:", "\r\nAccept-Language: zh-cn"},
    {"Content-Type:", "\r\nContent-Type: application/x-www-form-urlencoded"},
};
constexpr std::string_view kRefererHeader = "Referer:";

bool StartsWithHttps(std::string_view url) {
  constexpr std::string_view kHttps = "https";
  if (url.size() < kHttps.size()) return false;
  for (std::size_t i = 0; i < kHttps.size(); ++i) {
    char c = url[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    if (c != kHttps[i]) return false;
  }
  return true;
}

// The URL the transport fetches, from the host, port and path rules of this folder; empty
// when the request cannot be set up at all.
std::string TransportUrl(std::string_view url) {
  const bool secure = StartsWithHttps(url);
  const text::Text host = UrlHost(url, false);
  long port = UrlPort(url);
  // Port 0 ("host:" with nothing after it) means the scheme's default port.
  if (port == 0) port = secure ? kHttpsPort : kHttpPort;
  if (host.empty() || port > kHighestPort) return {};
  std::string result = secure ? "https://" : "http://";
  result +=
      host + ":" + std::to_string(port) + PercentEscape(UrlPath(url), EscapedBytes::kAlsoHighBytes);
  CURLU* parsed = curl_url();
  if (parsed == nullptr) return {};
  const CURLUcode code = curl_url_set(parsed, CURLUPART_URL, result.c_str(), 0);
  curl_url_cleanup(parsed);
  return code == CURLUE_OK ? result : std::string();
}

// A numeric IPv4 address in any of its forms ("127.1", "2130706433", "0x7f.0.0.1"); the
// transport writes such a host back in dotted form.
bool IsNumericHost(std::string_view host) {
  return !host.empty() && host.find_first_not_of("0123456789abcdefx.") == std::string_view::npos;
}

// A host text holding "@", "?", "#" or "%" makes the transport read another host (or a user
// name) out of the transport URL. No server has such a name, so the request must reach none,
// exactly like a request to a name that does not resolve.
bool TransportReadsHost(const std::string& transportUrl, std::string_view host) {
  CURLU* parsed = curl_url();
  if (parsed == nullptr) return false;
  bool same = false;
  char* parsedHost = nullptr;
  if (curl_url_set(parsed, CURLUPART_URL, transportUrl.c_str(), 0) == CURLUE_OK &&
      curl_url_get(parsed, CURLUPART_HOST, &parsedHost, 0) == CURLUE_OK) {
    same = host == parsedHost || IsNumericHost(host);
    curl_free(parsedHost);
  }
  curl_url_cleanup(parsed);
  return same;
}

text::Text ChooseAgent(std::string_view headers) {
  const int at = text::Find(headers, kUserAgentMarker, 1, true);
  if (at == text::kNotFound) return text::Text(kDefaultUserAgent);
  const int valueAt = at + static_cast<int>(kUserAgentMarker.size());
  const int end = text::Find(headers, kLineEnd, valueAt);
  // A User-Agent line that ends the header text has no line end after it.
  const text::Text value = end == text::kNotFound
                               ? text::Trim(headers.substr(static_cast<std::size_t>(valueAt - 1)))
                               : text::Trim(text::Mid(headers, valueAt, end - valueAt));
  return value.empty() ? text::Text(kDefaultUserAgent) : value;
}

void AddDefaultHeaders(text::Text& headers, std::string_view url) {
  if (text::Find(headers, kRefererHeader) == text::kNotFound) {
    headers += headers.empty() ? "Referer: " : "\r\nReferer: ";
    headers += url;
  }
  for (const DefaultHeader& header : kDefaultHeaders) {
    if (text::Find(headers, header.searchedFor) == text::kNotFound) headers += header.line;
  }
}

HeaderList ToHeaderList(std::string_view headers) {
  curl_slist* list = nullptr;
  for (const text::Text& line : text::Split(headers, kLineEnd)) {
    if (!line.empty()) list = curl_slist_append(list, line.c_str());
  }
  // Without this the transport may hold a large body back waiting for "100 Continue".
  list = curl_slist_append(list, "Expect:");
  return HeaderList(list);
}

// Keeps the header block of the last response only: redirects the transport follows and
// interim answers ("100 Continue") each start a new block with their status line.
struct HeaderBlock {
  text::Text lines;
  bool complete = false;
};

std::size_t CollectHeaderLine(char* data, std::size_t size, std::size_t count, void* target) {
  auto& block = *static_cast<HeaderBlock*>(target);
  std::string_view line(data, size * count);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
    line.remove_suffix(1);
  if (line.starts_with("HTTP/")) {
    block.lines.clear();
    block.complete = false;
  } else if (block.complete) {
    return size * count;  // trailers after the body are not response headers
  }
  block.lines += line;
  block.lines += kLineEnd;
  if (line.empty()) block.complete = true;
  return size * count;
}

// The pair of a Set-Cookie line: from after "Set-Cookie:" to the first ";", or to the line's
// end for a cookie sent without attributes.
text::Text CookiePairOf(std::string_view line) {
  const int at = text::Find(line, kSetCookieLeft, 1, true);
  if (at == text::kNotFound) return {};
  const int valueAt = at + static_cast<int>(kSetCookieLeft.size());
  const int semicolon = text::Find(line, ";", valueAt);
  if (semicolon == text::kNotFound) {
    return text::Trim(line.substr(static_cast<std::size_t>(valueAt - 1)));
  }
  return text::Trim(text::Mid(line, valueAt, semicolon - valueAt));
}

struct Transfer {
  std::string body;
  HeaderBlock headers;
};

Transfer Perform(const std::string& transportUrl, const text::Text& agent,
                 const HttpRequestOptions& options) {
  Transfer result;
  EasyHandle handle =
      NewTransfer({options.connectTimeoutMs, options.transferTimeoutMs}, result.body);
  if (!handle) return result;
  CURL* h = handle.get();
  curl_easy_setopt(h, CURLOPT_URL, transportUrl.c_str());
  // The request line carries the URL's path byte for byte; the transport would otherwise
  // squash "/./" and "/../" segments.
  curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(h, CURLOPT_USERAGENT, agent.c_str());
  const HeaderList headers = ToHeaderList(options.extraHeaders);
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &CollectHeaderLine);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, &result.headers);
  curl_easy_setopt(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, options.noAutoRedirect ? 0L : 1L);
  if (!options.cookies) UseSharedCookieStore(h);
  if (options.proxy && !options.proxy->empty()) {
    const std::string proxy = std::string(kProxyScheme) + *options.proxy;
    curl_easy_setopt(h, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(h, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
  }
  if (options.method != 0) {
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(options.postBytes.size()));
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, options.postBytes.data());
    if (options.method != 1) curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, "GET");
  }
  const CURLcode code = curl_easy_perform(h);
  // A transfer that ended before the headers were whole received nothing usable.
  if (code != CURLE_OK && !result.headers.complete) {
    result.body.clear();
    result.headers = {};
  }
  if (!result.headers.complete) result.headers.lines.clear();
  return result;
}

}  // namespace

std::string HttpRequest(std::string_view url, HttpRequestOptions& options) {
  std::string currentUrl(url);
  // Where the Cookie line this engine added begins, so that a follow-up replaces it.
  std::size_t cookieLineAt = text::Text::npos;
  for (int followUps = 0;; ++followUps) {
    const std::string transportUrl = TransportUrl(currentUrl);
    if (transportUrl.empty()) return {};
    const text::Text agent = ChooseAgent(options.extraHeaders);

    if (cookieLineAt != text::Text::npos) options.extraHeaders.resize(cookieLineAt);
    cookieLineAt = text::Text::npos;
    AddDefaultHeaders(options.extraHeaders, currentUrl);
    if (options.cookies && !options.cookies->empty()) {
      cookieLineAt = options.extraHeaders.size();
      options.extraHeaders += kCookieLine;
      options.extraHeaders += *options.cookies;
    }
    if (options.method != 0 && options.postBytes.empty()) options.postBytes = options.postText;

    Transfer transfer = TransportReadsHost(transportUrl, UrlHost(currentUrl, false))
                            ? Perform(transportUrl, agent, options)
                            : Transfer{};

    options.rawHeaders = std::move(transfer.headers.lines);
    options.location.clear();
    options.receivedCookies.clear();
    bool hasLocation = false;
    for (const text::Text& line : text::Split(options.rawHeaders, kLineEnd)) {
      if (text::Find(line, kLocationMarker) != text::kNotFound) {
        options.location = HeaderValue(line);
        hasLocation = true;
      }
      if (text::Find(line, kSetCookieMarker) != text::kNotFound) {
        const text::Text pair = CookiePairOf(line);
        if (pair.empty()) continue;
        options.receivedCookies += pair;
        options.receivedCookies += kPairJoin;
      }
    }
    if (!options.receivedCookies.empty()) {
      options.receivedCookies.resize(options.receivedCookies.size() - kPairJoin.size());
    }
    if (options.cookies) MergeCookies(*options.cookies, options.receivedCookies);
    const bool hasTarget = hasLocation && !options.location.empty();
    if (options.location.empty()) options.location = options.rawHeaders;

    const bool moved =
        text::TextBetween(options.rawHeaders, kStatusLeft, kStatusRight) == kMovedStatus;
    if (!moved || !hasTarget || followUps >= kMaxMovedFollowUps) return transfer.body;
    currentUrl = options.location + UrlPath(currentUrl);
    options.location.clear();
    if (!options.cookies) options.cookies.emplace();
    if (!options.proxy) options.proxy.emplace();
  }
}

std::string HttpRequest(std::string_view url) {
  HttpRequestOptions options;
  return HttpRequest(url, options);
}

}  // namespace net
