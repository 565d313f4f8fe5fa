#include "core/operation/byte_count.h"

#include "core/text/format.h"

namespace vantrell {

std::string ByteCount::Text() const {
  return FormatText("%s: %d/%d[byte]", label, static_cast<int>(done), static_cast<int>(total));
}

}  // namespace vantrell
