#include "core/update/http_manifest_fetcher.h"

#include "core/update/curl_session.h"

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

}  // namespace

std::optional<std::string> HttpManifestFetcher::Fetch(const std::string& url) {
  CurlHandle curl = OpenCurlSession(url, limits_);
  if (!curl) return std::nullopt;
  Body body;
  body.maxBytes = limits_.maxBytes;
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, AppendToBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  // A manifest cut short can still parse (the files after the cut simply
  // missing), so it is held to the same rule as a program file.
  BodyFraming framing;
  WatchBodyFraming(curl.get(), framing);
  if (curl_easy_perform(curl.get()) != CURLE_OK) return std::nullopt;
  if (!BodyEndConfirmed(curl.get(), framing)) return std::nullopt;
  return std::move(body.bytes);
}

}  // namespace vantrell
