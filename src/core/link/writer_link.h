#pragma once
// The one packet exchange with the writer: open, clear stale input, send one
// request, receive one reply, close. No retries, no sequence numbers.
#include <cstdint>
#include <span>

#include "core/link/packet.h"

namespace vantrell {

class MessageLog;
class UsbDriver;

class WriterLink {
 public:
  static constexpr std::uint32_t kExchangeTimeoutMs = 7000;
  static constexpr std::uint32_t kClearTimeoutMs = 100;

  WriterLink(UsbDriver& driver, MessageLog& log) : driver_(driver), log_(log) {}

  // Drops any connection still open, then opens the writer.
  bool OpenLink();
  // Reads once with a short time-out and throws away what came.
  void ClearInput();
  // Bytes sent, or 0 when the request could not be sent.
  std::uint32_t SendRequest(std::span<const std::uint8_t> packet);
  std::uint32_t SendRequest(const RequestPacket& packet) { return SendRequest(packet.Frame()); }
  // Bytes received into reply, or 0 when no reply arrived.
  std::uint32_t ReceiveReply(ReplyPacket& reply);
  // Safe from any thread: a ReceiveReply blocked elsewhere returns 0.
  void CloseLink();

  MessageLog& Log() { return log_; }

 private:
  std::uint32_t ReadInto(std::uint8_t* buffer);

  UsbDriver& driver_;
  MessageLog& log_;
};

}  // namespace vantrell
