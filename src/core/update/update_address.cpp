#include "core/update/update_address.h"

#include <cstdlib>

namespace vantrell {

std::string UpdateBaseUrl() {
  const char* configured = std::getenv(kUpdateBaseUrlVariable);
  std::string base = configured != nullptr && *configured != '\0' ? configured : kUpdateBaseUrl;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

std::string ManifestUrl() { return UpdateBaseUrl() + kManifestPath; }

}  // namespace vantrell
