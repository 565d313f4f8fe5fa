#include "core/text/format.h"

#include <cstdio>
#include <vector>

namespace vantrell {

std::string FormatTextV(const char* format, va_list args) {
  if (format == nullptr) return {};
  va_list probe;
  va_copy(probe, args);
  const int needed = std::vsnprintf(nullptr, 0, format, probe);
  va_end(probe);
  if (needed <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), static_cast<size_t>(needed));
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatTextV(format, args);
  va_end(args);
  return text;
}

}  // namespace vantrell
