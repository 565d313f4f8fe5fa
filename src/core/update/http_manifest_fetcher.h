#pragma once
// The manifest fetched over HTTP(S), within fixed bounds so that the blocked
// window never waits long and a hostile server cannot make the program hold
// an endless document. libcurl does the transfer on Linux, WinHTTP on
// Windows; both keep to the same limits and refusals.
#include "core/update/fetch_limits.h"
#include "core/update/manifest_fetcher.h"

namespace vantrell {

class HttpManifestFetcher : public ManifestFetcher {
 public:
  explicit HttpManifestFetcher(FetchLimits limits = {}) : limits_(limits) {}
  std::optional<std::string> Fetch(const std::string& url) override;

 private:
  FetchLimits limits_;
};

}  // namespace vantrell
