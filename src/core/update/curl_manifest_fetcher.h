#pragma once
// The manifest fetched over HTTP(S) with libcurl, within fixed bounds so that
// the blocked window never waits long and a hostile server cannot make the
// program hold an endless document.
#include "core/update/fetch_limits.h"
#include "core/update/manifest_fetcher.h"

namespace vantrell {

class CurlManifestFetcher : public ManifestFetcher {
 public:
  explicit CurlManifestFetcher(FetchLimits limits = {}) : limits_(limits) {}
  std::optional<std::string> Fetch(const std::string& url) override;

 private:
  FetchLimits limits_;
};

}  // namespace vantrell
