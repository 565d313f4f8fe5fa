#include "core/controls/hexdump/dump_buffer.h"

#include <algorithm>

namespace vantrell {

DumpBuffer::DumpBuffer(const std::uint8_t* data, const std::uint8_t* reference, std::int32_t byteLength)
    : data_(data), reference_(reference != nullptr ? reference : data), byteLength_(std::max(byteLength, 0)) {}

std::uint32_t DumpBuffer::Value(std::int64_t index, int byteCount, bool firstHigh) const {
  return Combine(data_, index, byteCount, firstHigh);
}

std::uint32_t DumpBuffer::ReferenceValue(std::int64_t index, int byteCount, bool firstHigh) const {
  return Combine(reference_, index, byteCount, firstHigh);
}

std::uint32_t DumpBuffer::Combine(const std::uint8_t* bytes, std::int64_t index, int byteCount,
                                  bool firstHigh) const {
  byteCount = std::clamp(byteCount, 1, 4);
  std::uint32_t value = 0;
  for (int i = 0; i < byteCount; ++i) {
    const std::uint32_t byte = Read(bytes, index + i);
    if (firstHigh) {
      value = (value << 8) | byte;
    } else {
      value |= byte << (8 * i);
    }
  }
  return value;
}

std::vector<std::uint8_t> DumpBuffer::Bytes(std::int64_t first, std::int64_t last) const {
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, std::int64_t{byteLength_} - 1);
  if (first > last) return {};
  if (data_ == nullptr) return std::vector<std::uint8_t>(static_cast<size_t>(last - first + 1), 0);
  return std::vector<std::uint8_t>(data_ + first, data_ + last + 1);
}

}  // namespace vantrell
