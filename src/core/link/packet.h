#pragma once
// The frames of the writer protocol. A request is the command code, the
// payload length n and n payload bytes, sent as exactly n + 2 bytes. A reply
// is read into 64 bytes: the echoed code, a length and at most 62 payload
// bytes; only the bytes that actually arrived may be looked at.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vantrell {

inline constexpr size_t kPacketSize = 64;
inline constexpr size_t kMaxPayload = kPacketSize - 2;

class RequestPacket {
 public:
  explicit RequestPacket(std::uint8_t code);

  RequestPacket& AddByte(std::uint8_t value);
  RequestPacket& AddU32(std::uint32_t value);  // little-endian
  RequestPacket& AddBytes(std::span<const std::uint8_t> bytes);

  std::uint8_t Code() const { return bytes_[0]; }
  // The whole frame: code, length, payload.
  std::span<const std::uint8_t> Frame() const { return {bytes_.data(), size_}; }

 private:
  void Add(std::uint8_t value);

  std::array<std::uint8_t, kPacketSize> bytes_{};
  size_t size_ = 2;
};

struct ReplyPacket {
  std::array<std::uint8_t, kPacketSize> bytes{};
  size_t count = 0;  // bytes that actually arrived

  bool Has(size_t n) const { return count >= n; }
  // The byte at i when it arrived.
  std::optional<std::uint8_t> ByteAt(size_t i) const;
  // An unsigned 16-bit little-endian number at offset when both bytes arrived.
  std::optional<std::uint16_t> U16At(size_t offset) const;
  std::span<const std::uint8_t> Received() const { return {bytes.data(), count}; }
};

}  // namespace vantrell
