#include "core/app/writer_exchange.h"

#include "core/common/prompt.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"

namespace vantrell {

bool WriterExchange::Exchange(const char* phase, const RequestPacket& request, ReplyPacket& reply,
                              std::size_t minReply) {
  return Send(phase, request) && Receive(phase, reply, minReply);
}

bool WriterExchange::Send(const char* phase, const RequestPacket& request) {
  if (link_.SendRequest(request) != 0) return true;
  if (cancel_.IsCancelled()) return false;
  prompt_.Tell(ApplicationBox("WriteUSB Error!"));
  link_.Log().LogMessage("WriteUSB Error! <%s>\r\n", phase);
  return false;
}

bool WriterExchange::Receive(const char* phase, ReplyPacket& reply, std::size_t minReply) {
  if (link_.ReceiveReply(reply) != 0 && reply.count >= minReply) return true;
  if (cancel_.IsCancelled()) return false;
  prompt_.Tell(ApplicationBox("ReadUSB Error!"));
  link_.Log().LogMessage("ReadUSB Error! <%s>\r\n", phase);
  return false;
}

}  // namespace vantrell
