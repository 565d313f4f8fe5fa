#include "core/update/curl_manifest_fetcher.h"

#include <memory>
#include <mutex>

#include <curl/curl.h>

namespace vantrell {
namespace {

struct Body {
  std::string bytes;
  std::size_t maxBytes = 0;
};

// Taking more than the cap aborts the transfer (curl sees a short write).
std::size_t AppendToBody(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& body = *static_cast<Body*>(userData);
  const std::size_t length = size * count;
  if (length > body.maxBytes - body.bytes.size()) return 0;
  body.bytes.append(data, length);
  return length;
}

// curl_global_init is not thread-safe; the first fetch does it, once.
void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

void SetOptions(CURL* curl, const std::string& url, const FetchLimits& limits, Body& body) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: the GUI has threads
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.transferTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, limits.maxRedirects);
  // Only HTTP, also where a redirect points: never a local file or another scheme.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);  // a 404 is no manifest
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendToBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
}

}  // namespace

std::optional<std::string> CurlManifestFetcher::Fetch(const std::string& url) {
  InitialiseCurlOnce();
  CurlHandle curl(curl_easy_init(), &curl_easy_cleanup);
  if (!curl) return std::nullopt;
  Body body;
  body.maxBytes = limits_.maxBytes;
  SetOptions(curl.get(), url, limits_, body);
  if (curl_easy_perform(curl.get()) != CURLE_OK) return std::nullopt;
  return std::move(body.bytes);
}

}  // namespace vantrell
