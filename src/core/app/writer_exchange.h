#pragma once
// One request and its reply for the writer's own commands, which report
// their failures at once: box first, then the log line naming the phase.
#include <cstddef>

#include "core/common/cancellation.h"
#include "core/link/packet.h"

namespace vantrell {

class Prompt;
class WriterLink;

class WriterExchange {
 public:
  // A cancelled exchange fails without a word: whoever cancelled has gone.
  WriterExchange(WriterLink& link, Prompt& prompt, CancellationToken cancel = {})
      : link_(link), prompt_(prompt), cancel_(std::move(cancel)) {}

  // False after reporting "WriteUSB Error!" or "ReadUSB Error!". A reply
  // shorter than minReply bytes cannot carry what the phase reads and is
  // reported as a receive failure.
  bool Exchange(const char* phase, const RequestPacket& request, ReplyPacket& reply, std::size_t minReply);
  bool Send(const char* phase, const RequestPacket& request);
  bool Receive(const char* phase, ReplyPacket& reply, std::size_t minReply);

  WriterLink& Link() { return link_; }
  Prompt& Asker() { return prompt_; }

 private:
  WriterLink& link_;
  Prompt& prompt_;
  CancellationToken cancel_;
};

}  // namespace vantrell
