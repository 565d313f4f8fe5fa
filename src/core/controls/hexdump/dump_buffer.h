#pragma once
// The bytes a dump view shows and the reference it compares them with. Both
// belong to the view's parent; this is only a view of them. Every read is
// checked against the length, so no item, tooltip or selection ever reads
// past the buffer: bytes beyond the end and a missing buffer read as 0.
#include <cstdint>
#include <vector>

namespace vantrell {

class DumpBuffer {
 public:
  DumpBuffer() = default;
  // A missing reference is the data itself; a negative length counts as 0.
  DumpBuffer(const std::uint8_t* data, const std::uint8_t* reference, std::int32_t byteLength);

  std::int32_t ByteLength() const { return byteLength_; }
  const std::uint8_t* Data() const { return data_; }
  const std::uint8_t* Reference() const { return reference_; }
  bool HasOwnReference() const { return reference_ != data_; }

  std::uint8_t ByteAt(std::int64_t index) const { return Read(data_, index); }
  std::uint8_t ReferenceByteAt(std::int64_t index) const { return Read(reference_, index); }

  // Up to 4 bytes from index combined into one value, the first byte most
  // significant when firstHigh, least significant otherwise.
  std::uint32_t Value(std::int64_t index, int byteCount, bool firstHigh) const;
  std::uint32_t ReferenceValue(std::int64_t index, int byteCount, bool firstHigh) const;

  // The bytes from first to last inclusive, clipped to the buffer.
  std::vector<std::uint8_t> Bytes(std::int64_t first, std::int64_t last) const;

 private:
  std::uint8_t Read(const std::uint8_t* bytes, std::int64_t index) const {
    return bytes != nullptr && index >= 0 && index < byteLength_ ? bytes[index] : 0;
  }
  std::uint32_t Combine(const std::uint8_t* bytes, std::int64_t index, int byteCount, bool firstHigh) const;

  const std::uint8_t* data_ = nullptr;
  const std::uint8_t* reference_ = nullptr;
  std::int32_t byteLength_ = 0;
};

}  // namespace vantrell
