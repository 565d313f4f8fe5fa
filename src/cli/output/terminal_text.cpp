#include "cli/output/terminal_text.h"

#include "core/text/format.h"

namespace vantrell::cli {
namespace {

bool IsC0OrDelete(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

// U+0080..U+009F in UTF-8: 0xC2 followed by 0x80..0x9F.
bool IsC1At(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
         static_cast<unsigned char>(text[i + 1]) >= 0x80 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

}  // namespace

std::string VisibleControls(std::string_view text) {
  std::string visible;
  visible.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsC0OrDelete(c)) {
      visible += FormatText("\\x%02X", c);
    } else if (IsC1At(text, i)) {
      visible += FormatText("\\u%04X", static_cast<unsigned char>(text[++i]));
    } else {
      visible += text[i];
    }
  }
  return visible;
}

}  // namespace vantrell::cli
