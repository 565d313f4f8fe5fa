#include "core/controls/text_cut.h"

namespace vantrell {
namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string CutToCharacters(std::string_view utf8, size_t maxCharacters) {
  size_t end = 0;
  for (size_t count = 0; end < utf8.size() && count < maxCharacters; ++count) {
    ++end;
    while (end < utf8.size() && IsContinuationByte(static_cast<unsigned char>(utf8[end]))) ++end;
  }
  return std::string(utf8.substr(0, end));
}

}  // namespace vantrell
