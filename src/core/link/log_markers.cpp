#include "core/link/log_markers.h"

namespace vantrell {

std::string StartMarker(std::string_view name) {
  return "\r\nSTART(☆). <" + std::string(name) + "> Process\r\n";
}

std::string EndMarker(CommandFamily family, std::string_view name) {
  const char* lead = family == CommandFamily::Writer ? "\r\n" : "";
  return lead + std::string("END(☆). <") + std::string(name) + "> Process\r\n\r\n";
}

std::string EndMarkerWithoutProcess(std::string_view name) {
  return "END(☆). <" + std::string(name) + "\r\n\r\n";
}

}  // namespace vantrell
