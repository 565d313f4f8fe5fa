#include "core/update/updater/file_download.h"

namespace vantrell {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;
constexpr long kStallSeconds = 30;

}  // namespace

FetchLimits FileDownloadLimits() {
  FetchLimits limits;
  limits.transferTimeoutMs = 0;
  limits.stallTimeoutSeconds = kStallSeconds;
  limits.maxBytes = kMaxFileBytes;
  return limits;
}

}  // namespace vantrell
