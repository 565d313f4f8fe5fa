#include "core/app/writer_identity.h"

#include "core/app/writer_exchange.h"
#include "core/link/log_markers.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"

namespace vantrell {

std::optional<WriterIdentity> ExchangeIdentity(WriterExchange& exchange) {
  MessageLog& log = exchange.Link().Log();
  log.LogText(StartMarker(kIdentityCommandName));
  const RequestPacket request(0xF0);
  if (!exchange.Send(kIdentityCommandName, request)) return std::nullopt;
  log.LogText(kTxLabel);
  log.LogHexDump(request.Frame().data(), request.Frame().size());

  // Number and version sit in reply bytes 2-5.
  ReplyPacket reply;
  if (!exchange.Receive(kIdentityCommandName, reply, 6)) return std::nullopt;
  log.LogText(kRxLabel);
  log.LogHexDump(reply.bytes.data(), reply.count);
  log.LogText(EndMarker(CommandFamily::Writer, kIdentityCommandName));
  return WriterIdentity{*reply.U16At(2), *reply.U16At(4)};
}

}  // namespace vantrell
