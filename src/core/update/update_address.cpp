#include "core/update/update_address.h"

#include <cctype>
#include <cstdlib>

namespace vantrell {

std::string UpdateBaseUrl() {
  const char* configured = std::getenv(kUpdateBaseUrlVariable);
  std::string base = configured != nullptr && *configured != '\0' ? configured : kUpdateBaseUrl;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

std::string ManifestUrl() { return UpdateBaseUrl() + kManifestPath; }

std::string ServerFileUrl(const std::string& name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = UpdateBaseUrl() + kServerDirectory;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || c == '-' || c == '_' || c == '.' || c == '~' || c == '/') {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0x0F];
    }
  }
  return url;
}

}  // namespace vantrell
