#pragma once
// Fetching the published manifest. The program fetches over HTTP; tests may
// hand the check a fetcher of their own.
#include <optional>
#include <string>

namespace vantrell {

class ManifestFetcher {
 public:
  virtual ~ManifestFetcher() = default;
  // The document at url; nothing when it cannot be fetched whole: the server
  // is unreachable or answers with an error, time ran out, or the document
  // is larger than a manifest may be.
  virtual std::optional<std::string> Fetch(const std::string& url) = 0;
};

}  // namespace vantrell
