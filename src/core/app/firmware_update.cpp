#include "core/app/firmware_update.h"

#include <algorithm>

#include "core/app/firmware_update_view.h"
#include "core/common/prompt.h"
#include "core/app/writer_exchange.h"
#include "core/link/log_markers.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr std::size_t kStateReply = 3;  // echo, length, state

class UpdateRun {
 public:
  explicit UpdateRun(const FirmwareUpdate& u) : u_(u), exchange_(u.link, u.prompt, u.cancel), log_(u.link.Log()) {}

  bool Run() { return UpdateStart() && FlashIdRead() && FlashErase() && FlashWrite() && FlashVerify(); }

 private:
  bool Cancelled() const { return u_.cancel.IsCancelled(); }
  std::size_t Size() const { return u_.image.size(); }

  bool Exchange(const char* phase, const RequestPacket& request, ReplyPacket& reply, std::size_t minReply) {
    return !Cancelled() && exchange_.Exchange(phase, request, reply, minReply) && !Cancelled();
  }

  // A state reply with a non-zero state: the box, then its log lines.
  void ReportState(const char* box, const char* phase, std::uint8_t state) {
    u_.prompt.Tell(ApplicationBox(box));
    log_.LogMessage("State Error! <%s>\r\n", phase);
    log_.LogMessage("\t rx state = 0x%x\r\n", state);
  }

  bool UpdateStart() {
    const char* phase = "Update Start";
    log_.LogText(StartMarker(phase));
    ReplyPacket reply;
    if (!Exchange(phase, RequestPacket(0xF1), reply, kStateReply)) return false;
    if (reply.bytes[2] != 0) {
      ReportState("State Error!", phase, reply.bytes[2]);
      return false;
    }
    log_.LogText(EndMarker(CommandFamily::Writer, phase));
    return true;
  }

  bool FlashIdRead() {
    const char* phase = "Flash ID Read";
    log_.LogText(StartMarker(phase));
    ReplyPacket reply;
    if (!Exchange(phase, RequestPacket(0xF2), reply, 4)) return false;
    log_.LogMessage("\tBoard's Flash ID = 0x%04x\r\n", *reply.U16At(2));
    log_.LogText(EndMarker(CommandFamily::Writer, phase));
    return true;
  }

  bool FlashErase() {
    const char* phase = "Flash Erase";
    const std::uint32_t sectors = SectorsFor(Size());
    u_.view.SetDeviceStatus(" Erasing Flash ROM!");
    log_.LogText(StartMarker(phase));
    RequestPacket request(0xF3);
    request.AddU32(sectors);
    ReplyPacket reply;
    if (!Exchange(phase, request, reply, kStateReply)) return false;
    if (reply.bytes[2] != 0) {
      ReportState("Sector Erase Error!", phase, reply.bytes[2]);
      return false;
    }
    log_.LogMessage("\t Sector Erase Count = 0x%x\r\n", sectors);
    log_.LogText(EndMarker(CommandFamily::Writer, phase));
    return true;
  }

  bool FlashWrite() {
    return TransferInPieces("Flash Write", " Writing to Flash ROM! [UPDATE]", FirmwareUpdate::kWritePiece, "Write",
                            [this](const char* phase, std::size_t at, std::size_t n) { return WritePiece(phase, at, n); });
  }

  // Write and verify both walk the image in pieces, the last one shorter,
  // stepping the bar and the byte counter after each piece.
  template <typename Piece>
  bool TransferInPieces(const char* phase, const char* status, std::size_t pieceSize, const char* counterLabel,
                        Piece piece) {
    const std::size_t full = Size() / pieceSize;
    const std::size_t rest = Size() % pieceSize;
    u_.view.ResetProgress(static_cast<int>(full + (rest ? 1 : 0)));
    u_.view.SetDeviceStatus(status);
    log_.LogText(StartMarker(phase));
    std::size_t done = 0;
    for (std::size_t at = 0; at < Size(); at += pieceSize) {
      const std::size_t n = std::min(pieceSize, Size() - at);
      if (!piece(phase, at, n)) return false;
      done += n;
      u_.view.StepProgress();
      u_.view.SetByteCounter({counterLabel, done, Size()});
    }
    log_.LogText(EndMarker(CommandFamily::Writer, phase));
    return true;
  }

  bool WritePiece(const char* phase, std::size_t at, std::size_t n) {
    RequestPacket request(0xF4);
    request.AddBytes(u_.image.subspan(at, n));
    ReplyPacket reply;
    if (!Exchange(phase, request, reply, kStateReply)) return false;
    if (reply.bytes[2] == 0) return true;
    ReportState("State Error!", phase, reply.bytes[2]);
    log_.LogMessage("\t Address = 0x%x\r\n", static_cast<unsigned>(at));
    return false;
  }

  bool FlashVerify() {
    return TransferInPieces("Flash Verify", " Verifying Writing Data!", FirmwareUpdate::kVerifyPiece, "Verify",
                            [this](const char* phase, std::size_t at, std::size_t m) {
                              return VerifyPiece(phase, at, m, m < FirmwareUpdate::kVerifyPiece);
                            });
  }

  bool VerifyPiece(const char* phase, std::size_t at, std::size_t m, bool last) {
    RequestPacket request(0xF5);
    request.AddByte(static_cast<std::uint8_t>(m));
    ReplyPacket reply;
    if (!Exchange(phase, request, reply, 2 + m)) return false;
    const auto expected = u_.image.subspan(at, m);
    if (std::equal(expected.begin(), expected.end(), reply.bytes.begin() + 2)) return true;
    u_.prompt.Tell(ApplicationBox("Verify Error!"));
    if (last) {
      log_.LogText("Verify Error!\r\n");
      log_.LogMessage("\t Address = 0x%x <- last\r\n", static_cast<unsigned>(at));
      log_.LogText("☞ Tx Data:\r\n");
      log_.LogHexDump(expected.data(), m);
      log_.LogText("\r\n☞ Rx Data:\r\n");
      log_.LogHexDump(reply.bytes.data() + 2, m);
    } else {
      log_.LogMessage("Error! <%s>\r\n", phase);
      log_.LogMessage("\t Address = 0x%x\r\n", static_cast<unsigned>(at));
      log_.LogText("☞ Tx Data:\r\n");
      log_.LogHexDump(expected.data(), m);
      log_.LogText("\r\n☞ Rx Header:\r\n");
      log_.LogHexDump(reply.bytes.data(), 2);
      log_.LogText("☞ Rx Data:\r\n");
      log_.LogHexDump(reply.bytes.data() + 2, m);
    }
    return false;
  }

  const FirmwareUpdate& u_;
  WriterExchange exchange_;
  MessageLog& log_;
};

}  // namespace

std::uint32_t SectorsFor(std::size_t imageBytes) {
  return static_cast<std::uint32_t>(imageBytes / FirmwareUpdate::kSectorBytes +
                                    (imageBytes % FirmwareUpdate::kSectorBytes ? 1 : 0));
}

bool UpdateWriterFirmware(const FirmwareUpdate& update) {
  const bool ok = UpdateRun(update).Run();
  // An abandoned update leaves the link and the window to whoever abandoned it.
  if (update.cancel.IsCancelled()) return false;
  update.link.CloseLink();
  if (!ok) {
    update.view.SetDeviceStatus(" Execute Binary File Loading Error!");
    return false;
  }
  update.view.SetDeviceStatus(" Execute Binary File Loading Complete!");
  update.view.UpdateFinished();
  return true;
}

}  // namespace vantrell
