#include "core/link/packet.h"

#include <stdexcept>

namespace vantrell {

RequestPacket::RequestPacket(std::uint8_t code) { bytes_[0] = code; }

void RequestPacket::Add(std::uint8_t value) {
  // A payload beyond 62 bytes would be a programming error in a command
  // family, never something the operator or the writer can cause.
  if (size_ >= kPacketSize) throw std::length_error("request payload above 62 bytes");
  bytes_[size_++] = value;
  bytes_[1] = static_cast<std::uint8_t>(size_ - 2);
}

RequestPacket& RequestPacket::AddByte(std::uint8_t value) {
  Add(value);
  return *this;
}

RequestPacket& RequestPacket::AddU32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) Add(static_cast<std::uint8_t>(value >> shift));
  return *this;
}

RequestPacket& RequestPacket::AddBytes(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) Add(b);
  return *this;
}

std::optional<std::uint8_t> ReplyPacket::ByteAt(size_t i) const {
  if (i >= count || i >= bytes.size()) return std::nullopt;
  return bytes[i];
}

std::optional<std::uint16_t> ReplyPacket::U16At(size_t offset) const {
  if (offset + 2 > count || offset + 2 > bytes.size()) return std::nullopt;
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace vantrell
