#include "core/program/chip/chip_channel.h"

#include <cstdarg>

#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/operation/run_control.h"

namespace vantrell {

bool ChipChannel::Abandoned() const { return control_.Abandoned(); }

bool ChipChannel::Open() { return !Abandoned() && link_.OpenLink(); }

void ChipChannel::ClearInput() {
  if (!Abandoned()) link_.ClearInput();
}

void ChipChannel::Close() {
  if (!Abandoned()) link_.CloseLink();
}

LinkResult ChipChannel::Send(const RequestPacket& request) {
  if (Abandoned() || link_.SendRequest(request) == 0) return LinkResult::WriteUsbError;
  return LinkResult::Success;
}

LinkResult ChipChannel::Receive(ReplyPacket& reply) {
  if (Abandoned() || link_.ReceiveReply(reply) == 0) return LinkResult::ReadUsbError;
  return LinkResult::Success;
}

LinkResult ChipChannel::Exchange(const RequestPacket& request, ReplyPacket& reply) {
  const LinkResult sent = Send(request);
  return sent == LinkResult::Success ? Receive(reply) : sent;
}

void ChipChannel::Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = FormatTextV(format, args);
  va_end(args);
  LogText(text);
}

void ChipChannel::LogText(std::string_view text) {
  if (!Abandoned()) link_.Log().LogText(text);
}

MessageLog& ChipChannel::RawLog() { return link_.Log(); }

}  // namespace vantrell
