#include "core/link/writer_link.h"

#include <array>

#include "core/link/driver_library.h"
#include "core/link/message_log.h"
#include "core/link/usb_driver.h"

namespace vantrell {

bool WriterLink::OpenLink() {
  driver_.Close();
  return driver_.OpenDevice(kWriterDeviceId) != 0;
}

void WriterLink::ClearInput() {
  std::array<std::uint8_t, kPacketSize> scratch{};
  std::uint32_t received = 0;
  if (driver_.Read(scratch.data(), kPacketSize, &received, kClearTimeoutMs) == 0) return;
  const std::uint32_t kept = received > kPacketSize ? static_cast<std::uint32_t>(kPacketSize) : received;
  log_.LogMessage("USB Buffer Data Clear[size = %d]\r\n", static_cast<int>(kept));
}

std::uint32_t WriterLink::SendRequest(std::span<const std::uint8_t> packet) {
  // The driver takes a mutable buffer; it gets a copy.
  std::array<std::uint8_t, kPacketSize> frame{};
  if (packet.empty() || packet.size() > frame.size()) return 0;
  std::copy(packet.begin(), packet.end(), frame.begin());
  std::uint32_t sent = 0;
  const auto length = static_cast<std::uint32_t>(packet.size());
  if (driver_.Write(frame.data(), length, &sent, kExchangeTimeoutMs) == 0) return 0;
  return sent;
}

std::uint32_t WriterLink::ReceiveReply(ReplyPacket& reply) {
  reply.bytes.fill(0);
  reply.count = ReadInto(reply.bytes.data());
  return static_cast<std::uint32_t>(reply.count);
}

void WriterLink::CloseLink() { driver_.Close(); }

std::uint32_t WriterLink::ReadInto(std::uint8_t* buffer) {
  std::uint32_t received = 0;
  if (driver_.Read(buffer, kPacketSize, &received, kExchangeTimeoutMs) == 0) return 0;
  // A driver that claims more than the buffer holds is not believed past it.
  return received > kPacketSize ? static_cast<std::uint32_t>(kPacketSize) : received;
}

}  // namespace vantrell
