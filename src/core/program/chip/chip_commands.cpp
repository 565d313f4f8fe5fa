#include "core/program/chip/chip_commands.h"

#include "core/link/log_markers.h"
#include "core/operation/operation_channel.h"
#include "core/program/chip/chip_replies.h"
#include "core/program/chip/chip_requests.h"
#include "core/program/chip/socket_board.h"

namespace vantrell {

namespace req = chip_request;

namespace {

constexpr const char* kReadIdName = "Read ID";
constexpr const char* kSectorEraseName = "Sector Erase";

}  // namespace

ChipCommands::ChipCommands(OperationChannel& channel, std::size_t socketCount)
    : channel_(channel), socketCount_(socketCount < kMaxSockets ? socketCount : kMaxSockets) {}

LinkResult ChipCommands::StatusExchange(const RequestPacket& request, ChipStatus& status) {
  ReplyPacket reply;
  const LinkResult exchanged = channel_.Exchange(request, reply);
  return exchanged == LinkResult::Success ? MergeStatus(reply, socketCount_, status) : exchanged;
}

LinkResult ChipCommands::ReadId(ChipIdReply& out) {
  channel_.LogText(StartMarker(kReadIdName));
  ReplyPacket reply;
  if (const LinkResult r = channel_.Exchange(req::Bare(req::kReadId), reply); r != LinkResult::Success) return r;

  const ChipIdParse parse = ParseChipIds(reply, socketCount_);
  if (parse.form == ChipIdForm::TooShort) return LinkResult::CommError;
  out = parse.ids;
  for (std::size_t i = 0; i < socketCount_; ++i) {
    channel_.Log("\tChip%02d ID = 0x%02X\r\n", static_cast<int>(i), out.chipIds[i]);
  }
  if (parse.form == ChipIdForm::Malformed) return LinkResult::CommError;
  channel_.LogText(EndMarker(CommandFamily::Chip, kReadIdName));
  return LinkResult::Success;
}

LinkResult ChipCommands::SectorErase(std::uint32_t address, ChipStatus& status) {
  status.fill(0);
  channel_.LogText(StartMarker(kSectorEraseName));
  channel_.LogText("\t ▶ Sector Erase Enable\r\n");
  if (const LinkResult r = StatusExchange(req::Bare(req::kEraseEnable), status); r != LinkResult::Success) return r;
  channel_.LogText("\t ▶ Sector Erase\r\n");
  channel_.Log("\t\tErase Address = 0x%04X\r\n", address);
  if (const LinkResult r = StatusExchange(req::WithAddress(req::kSectorErase, address), status);
      r != LinkResult::Success) {
    return r;
  }
  channel_.LogText("\t ▶ Sector Erase Disable\r\n");
  if (const LinkResult r = StatusExchange(req::Bare(req::kEraseDisable), status); r != LinkResult::Success) return r;
  channel_.LogText(EndMarker(CommandFamily::Chip, kSectorEraseName));
  return LinkResult::Success;
}

LinkResult ChipCommands::ProgramEnable(ChipStatus& status) {
  status.fill(0);
  channel_.LogText("\t ▶ Program Enable\r\n");
  return StatusExchange(req::Bare(req::kProgramEnable), status);
}

LinkResult ChipCommands::ProgramDisable(ChipStatus& status) {
  status.fill(0);
  channel_.LogText("\t ▶ Program Disable\r\n");
  return StatusExchange(req::Bare(req::kProgramDisable), status);
}

LinkResult ChipCommands::AaiAutoAddress(std::uint32_t address, std::uint8_t firstByte, ChipStatus& status) {
  status.fill(0);
  channel_.LogText("\t ▶ AAI Auto Address\r\n");
  channel_.Log("\t\tAuto Address = 0x%04X\r\n", address);
  return StatusExchange(req::AaiAutoAddress(address, firstByte), status);
}

LinkResult ChipCommands::AutoProgram(std::span<const std::uint8_t> data, ChipStatus& status) {
  status.fill(0);
  return StatusExchange(req::WithData(req::kAutoProgram, data), status);
}

LinkResult ChipCommands::VerifySetAddress(std::uint32_t address, std::uint32_t length, ChipStatus& status) {
  status.fill(0);
  channel_.LogText("\t ▶ Verify Set Addr\r\n");
  return StatusExchange(req::WithAddressAndLength(req::kVerifySetAddress, address, length), status);
}

LinkResult ChipCommands::VerifyData(std::span<const std::uint8_t> data, ChipStatus& status) {
  status.fill(0);
  return StatusExchange(req::WithData(req::kVerifyData, data), status);
}

LinkResult ChipCommands::VerifyEnd(SocketChecksums& checksums) {
  channel_.LogText("\t ▶ Verify End\r\n");
  ReplyPacket reply;
  if (const LinkResult r = channel_.Exchange(req::Bare(req::kVerifyEnd), reply); r != LinkResult::Success) return r;
  return ParseChecksums(reply, socketCount_, checksums);
}

LinkResult ChipCommands::CommEnd(ChipStatus& status) {
  status.fill(0);
  channel_.LogText("\t ▶ COMM End\r\n");
  return StatusExchange(req::Bare(req::kCommEnd), status);
}

LinkResult ChipCommands::FlashBlankCheck(std::uint32_t address, std::uint32_t length, ChipStatus& status,
                                         SocketBoard& board) {
  static const std::string kLinkFailureText = std::string("Blank Check") + kPackError;
  status.fill(0);
  channel_.LogText("\t ▶ Flash Blank Check\r\n");
  if (channel_.Send(req::WithAddressAndLength(req::kFlashBlankCheck, address, length)) != LinkResult::Success) {
    board.MarkAliveFailed(kLinkFailureText);
    return LinkResult::WriteUsbError;
  }
  board.ShowOnAlive("Blank Checking~");
  ReplyPacket reply;
  if (channel_.Receive(reply) != LinkResult::Success) {
    board.MarkAliveFailed(kLinkFailureText);
    return LinkResult::ReadUsbError;
  }
  return MergeStatus(reply, socketCount_, status);
}

}  // namespace vantrell
