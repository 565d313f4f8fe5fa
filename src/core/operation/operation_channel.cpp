#include "core/operation/operation_channel.h"

#include <cstdarg>

#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/common/run_control.h"

namespace vantrell {

bool OperationChannel::Abandoned() const { return control_.Abandoned(); }

bool OperationChannel::Open() { return !Abandoned() && link_.OpenLink(); }

void OperationChannel::ClearInput() {
  if (!Abandoned()) link_.ClearInput();
}

void OperationChannel::Close() {
  if (!Abandoned()) link_.CloseLink();
}

LinkResult OperationChannel::Send(const RequestPacket& request) {
  if (Abandoned() || link_.SendRequest(request) == 0) return LinkResult::WriteUsbError;
  return LinkResult::Success;
}

LinkResult OperationChannel::Receive(ReplyPacket& reply) {
  if (Abandoned() || link_.ReceiveReply(reply) == 0) return LinkResult::ReadUsbError;
  return LinkResult::Success;
}

LinkResult OperationChannel::Exchange(const RequestPacket& request, ReplyPacket& reply) {
  const LinkResult sent = Send(request);
  return sent == LinkResult::Success ? Receive(reply) : sent;
}

void OperationChannel::Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = FormatTextV(format, args);
  va_end(args);
  LogText(text);
}

void OperationChannel::LogText(std::string_view text) {
  if (!Abandoned()) link_.Log().LogText(text);
}

MessageLog& OperationChannel::RawLog() { return link_.Log(); }

}  // namespace vantrell
