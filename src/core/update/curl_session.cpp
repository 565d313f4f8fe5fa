#include "core/update/curl_session.h"

#include <mutex>

namespace vantrell {
namespace {

// curl_global_init is not thread-safe; the first transfer does it, once.
void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

CurlHandle OpenCurlSession(const std::string& url, const FetchLimits& limits) {
  InitialiseCurlOnce();
  CurlHandle curl(curl_easy_init(), &curl_easy_cleanup);
  if (!curl) return curl;
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, limits.transferTimeoutMs);
  if (limits.stallTimeoutSeconds > 0) {
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, limits.stallTimeoutSeconds);
  }
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, limits.maxRedirects);
  // Only HTTP, also where a redirect points: never a local file or another scheme.
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);  // a 404 is no file
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
  return curl;
}

}  // namespace vantrell
