#pragma once
// The writer link and the message log as one operation (a chip run, a NAND
// worker) uses them. Once the operation is abandoned the channel sends
// nothing, logs nothing and leaves the link alone: the window that abandoned
// it has closed it already.
#include <string_view>

#include "core/link/link_result.h"
#include "core/link/packet.h"
#include "core/text/format.h"

namespace vantrell {

class MessageLog;
class RunControl;
class WriterLink;

class OperationChannel {
 public:
  OperationChannel(WriterLink& link, const RunControl& control) : link_(link), control_(control) {}

  bool Abandoned() const;

  bool Open();
  void ClearInput();
  void Close();

  // WriteUsbError when the request could not be sent (or the operation is abandoned).
  LinkResult Send(const RequestPacket& request);
  // ReadUsbError when no reply arrived.
  LinkResult Receive(ReplyPacket& reply);
  // One request, one reply.
  LinkResult Exchange(const RequestPacket& request, ReplyPacket& reply);

  void Log(const char* format, ...) VANTRELL_PRINTF(2, 3);
  void LogText(std::string_view text);
  // For routines of other parts that log by themselves.
  MessageLog& RawLog();

 private:
  WriterLink& link_;
  const RunControl& control_;
};

}  // namespace vantrell
