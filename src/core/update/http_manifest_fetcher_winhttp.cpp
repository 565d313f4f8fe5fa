#include "core/update/http_manifest_fetcher.h"

#include "core/update/http_transfer_winhttp.h"

namespace vantrell {

std::optional<std::string> HttpManifestFetcher::Fetch(const std::string& url) {
  std::string body;
  // The transfer holds the body to limits_.maxBytes before handing it on.
  const TransferResult result = TransferWithWinHttp(url, limits_, [&](const char* data, std::size_t length, std::uint64_t) {
    body.append(data, length);
    return true;
  });
  if (result.end != TransferEnd::Complete) return std::nullopt;
  return body;
}

}  // namespace vantrell
