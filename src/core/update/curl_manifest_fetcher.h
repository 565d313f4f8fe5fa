#pragma once
// The manifest fetched over HTTP(S) with libcurl, within fixed bounds so that
// the blocked window never waits long and a hostile server cannot make the
// program hold an endless document.
#include <cstddef>

#include "core/update/manifest.h"
#include "core/update/manifest_fetcher.h"

namespace vantrell {

struct FetchLimits {
  long connectTimeoutMs = 5000;
  long transferTimeoutMs = 20000;  // the whole fetch, redirects included
  long maxRedirects = 3;
  std::size_t maxBytes = kMaxManifestBytes;
};

class CurlManifestFetcher : public ManifestFetcher {
 public:
  explicit CurlManifestFetcher(FetchLimits limits = {}) : limits_(limits) {}
  std::optional<std::string> Fetch(const std::string& url) override;

 private:
  FetchLimits limits_;
};

}  // namespace vantrell
