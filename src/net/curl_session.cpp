#include "net/curl_session.h"

#include <array>
#include <mutex>

#include "net/constants.h"

namespace net {
namespace {

// curl wants its global state set up once, before any handle exists, and its shared data
// guarded by locks the application provides, one per kind of data.
class CurlProcessState {
 public:
  CurlProcessState() {
    curl_global_init(CURL_GLOBAL_ALL);
    share_ = curl_share_init();
    if (share_ != nullptr) {
      curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &CurlProcessState::Lock);
      curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &CurlProcessState::Unlock);
      curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
      curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
  }
  ~CurlProcessState() {
    if (share_ != nullptr) curl_share_cleanup(share_);
    curl_global_cleanup();
  }
  CurlProcessState(const CurlProcessState&) = delete;
  CurlProcessState& operator=(const CurlProcessState&) = delete;

  CURLSH* share() const { return share_; }

 private:
  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<CurlProcessState*>(self)->MutexFor(data).lock();
  }
  static void Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<CurlProcessState*>(self)->MutexFor(data).unlock();
  }
  std::mutex& MutexFor(curl_lock_data data) {
    const auto index = static_cast<std::size_t>(data);
    return mutexes_[index < mutexes_.size() ? index : 0];
  }

  CURLSH* share_ = nullptr;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes_;
};

CurlProcessState& ProcessState() {
  static CurlProcessState state;
  return state;
}

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

}  // namespace

EasyHandle NewTransfer(const TransferLimits& limits, std::string& body) {
  ProcessState();
  EasyHandle handle(curl_easy_init());
  if (!handle) return handle;
  CURL* h = handle.get();
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  // The desktop's proxy variables are not used: a proxy is only what a caller names.
  curl_easy_setopt(h, CURLOPT_PROXY, "");
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, limits.transferTimeoutMs);
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, static_cast<long>(kMaxTransportRedirects));
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &AppendBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
  return handle;
}

void UseSharedCookieStore(CURL* handle) {
  CURLSH* share = ProcessState().share();
  if (share != nullptr) curl_easy_setopt(handle, CURLOPT_SHARE, share);
  curl_easy_setopt(handle, CURLOPT_COOKIEFILE, "");
}

void ClearSharedCookies() {
  std::string ignored;
  EasyHandle handle = NewTransfer({kConnectTimeoutMs, kTransferTimeoutMs}, ignored);
  if (!handle) return;
  UseSharedCookieStore(handle.get());
  curl_easy_setopt(handle.get(), CURLOPT_COOKIELIST, "ALL");
}

}  // namespace net
