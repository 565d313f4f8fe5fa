#include "core/controls/percent_text.h"

namespace vantrell {

std::string FormatPercentText(std::string_view format, int percent) {
  if (format.empty()) format = kDefaultPercentFormat;
  std::string text;
  for (size_t i = 0; i < format.size(); ++i) {
    const bool escape = format[i] == '%' && i + 1 < format.size();
    if (escape && format[i + 1] == 'd') {
      text += std::to_string(percent);
      ++i;
    } else if (escape && format[i + 1] == '%') {
      text += '%';
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

}  // namespace vantrell
