#include "core/app/writer_identity.h"

#include "core/link/log_markers.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"

namespace vantrell {

IdentityExchange ExchangeIdentity(WriterLink& link) {
  MessageLog& log = link.Log();
  log.LogText(StartMarker(kIdentityCommandName));
  const RequestPacket request(0xF0);
  if (link.SendRequest(request) == 0) return {ExchangeFailure::Send, {}};
  log.LogText(kTxLabel);
  log.LogHexDump(request.Frame().data(), request.Frame().size());

  ReplyPacket reply;
  link.ReceiveReply(reply);
  // Number and version sit in reply bytes 2-5; a shorter reply can't carry them.
  const auto number = reply.U16At(2);
  const auto version = reply.U16At(4);
  if (reply.count == 0 || !number || !version) return {ExchangeFailure::Receive, {}};
  log.LogText(kRxLabel);
  log.LogHexDump(reply.bytes.data(), reply.count);
  log.LogText(EndMarker(CommandFamily::Writer, kIdentityCommandName));
  return {ExchangeFailure::None, {*number, *version}};
}

}  // namespace vantrell
