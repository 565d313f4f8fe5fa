#include "core/nand/commands/nand_commands.h"

#include "core/link/log_markers.h"
#include "core/nand/commands/nand_replies.h"
#include "core/nand/commands/nand_requests.h"
#include "core/operation/operation_channel.h"
#include "core/text/format.h"

namespace vantrell {

namespace req = nand_request;

namespace {

int Signed(std::uint32_t value) { return static_cast<int>(static_cast<std::int32_t>(value)); }

}  // namespace

LinkResult NandCommands::Exchange(std::string_view title, const RequestPacket& request, ReplyPacket& reply) {
  channel_.LogText(StartMarker(title));
  return channel_.Exchange(request, reply);
}

LinkResult NandCommands::Ended(std::string_view title) {
  channel_.LogText(EndMarker(CommandFamily::Nand, title));
  return LinkResult::Success;
}

LinkResult NandCommands::Acknowledged(std::string_view title, const RequestPacket& request) {
  ReplyPacket reply;
  if (const LinkResult r = Exchange(title, request, reply); r != LinkResult::Success) return r;
  if (const LinkResult r = CheckAcknowledge(reply, request.Code()); r != LinkResult::Success) return r;
  return Ended(title);
}

LinkResult NandCommands::Bracket(std::string_view title, std::uint8_t code) {
  ReplyPacket reply;
  if (const LinkResult r = Exchange(title, req::Bare(code), reply); r != LinkResult::Success) return r;
  if (const LinkResult r = CheckAcknowledge(reply, code); r != LinkResult::Success) return r;
  // The two bracket commands end their END line without "> Process".
  channel_.LogText(EndMarkerWithoutProcess(title));
  return LinkResult::Success;
}

LinkResult NandCommands::NdflProgramStart() { return Bracket("NDFL Program Start", req::kProgramStart); }

LinkResult NandCommands::NdflProgramEnd() { return Bracket("NDFL Program End", req::kProgramEnd); }

LinkResult NandCommands::ReadNandFlashInformation(NandFlashInfo& out) {
  constexpr std::string_view kTitle = "Read NAND Flash Information";
  ReplyPacket reply;
  if (const LinkResult r = Exchange(kTitle, req::Bare(req::kReadFlashInformation), reply); r != LinkResult::Success)
    return r;
  const FlashInfoParse parse = ParseFlashInformation(reply);
  if (parse.form == FlashInfoForm::Short) LogReceivedData(reply);
  if (parse.form != FlashInfoForm::Accepted) return LinkResult::CommError;
  out = parse.info;
  return Ended(kTitle);
}

void NandCommands::LogReceivedData(const ReplyPacket& reply) {
  std::string dump = "\t<Receive Data>\r\n";
  for (std::uint8_t b : reply.Received()) dump += FormatText("%02x ", b);
  dump += "\r\n---------------------\r\n";
  channel_.LogText(dump);
}

LinkResult NandCommands::ReadNumber(std::string_view title, std::uint8_t code, std::int32_t& number) {
  ReplyPacket reply;
  if (const LinkResult r = Exchange(title, req::Bare(code), reply); r != LinkResult::Success) return r;
  const auto value = ParseNumber(reply, code);
  if (!value) return LinkResult::CommError;
  number = static_cast<std::int32_t>(*value);
  return Ended(title);
}

LinkResult NandCommands::ReadBadBlockCount(std::int32_t& count) {
  return ReadNumber("Read NAND Flash Bad Block Count", req::kReadBadBlockCount, count);
}

LinkResult NandCommands::ReadFatStartBlockNumber(std::int32_t& number) {
  return ReadNumber("Read FAT Start Block Number", req::kReadFatStartBlockNumber, number);
}

LinkResult NandCommands::ReadData(std::string_view title, std::uint8_t code, NandDataPacket& out) {
  ReplyPacket reply;
  if (const LinkResult r = Exchange(title, req::Bare(code), reply); r != LinkResult::Success) return r;
  const auto packet = ParseData(reply, code);
  if (!packet) return LinkResult::CommError;
  out = *packet;
  return Ended(title);
}

LinkResult NandCommands::ReadBadBlockInformation(NandDataPacket& out) {
  return ReadData("Read NAND Flash Bad Block Information", req::kReadBadBlockInformation, out);
}

LinkResult NandCommands::NandReadData(NandDataPacket& out) { return ReadData("Read Data", req::kReadData, out); }

LinkResult NandCommands::WriteFatStartBlockNumber(std::uint32_t number) {
  constexpr std::string_view kTitle = "Write FAT Start Block Number";
  ReplyPacket reply;
  if (const LinkResult r = Exchange(kTitle, req::WithNumber(req::kWriteFatStartBlockNumber, number), reply);
      r != LinkResult::Success)
    return r;
  if (const LinkResult r = CheckAcknowledge(reply, req::kWriteFatStartBlockNumber); r != LinkResult::Success) return r;
  channel_.Log("\tFAT Start Block Number -> <%d>\r\n", Signed(number));
  return Ended(kTitle);
}

LinkResult NandCommands::BlockCommand(std::string_view title, std::uint8_t code, std::uint32_t block,
                                      const std::string& line) {
  ReplyPacket reply;
  if (const LinkResult r = Exchange(title, req::WithNumber(code, block), reply); r != LinkResult::Success) return r;
  if (const LinkResult r = CheckBlockStatus(reply, code); r != LinkResult::Success) return r;
  channel_.LogText(line);
  return Ended(title);
}

LinkResult NandCommands::EraseBlock(std::uint32_t block) {
  return BlockCommand("Erase Block", req::kEraseBlock, block, FormatText("\t<%d> Block Erased\r\n", Signed(block)));
}

LinkResult NandCommands::WriteBlockNumber(std::uint32_t block) {
  return BlockCommand("Write Block Number", req::kWriteBlockNumber, block,
                      FormatText("\tWrite Block Number -> <%d>\r\n", Signed(block)));
}

LinkResult NandCommands::ReadBlockNumber(std::uint32_t block) {
  return BlockCommand("Read Block Number", req::kReadBlockNumber, block,
                      FormatText("\tRead Block Number -> <%d>\r\n", Signed(block)));
}

LinkResult NandCommands::WriteData(std::span<const std::uint8_t> data) {
  // More than a packet carries would be a fault of the caller, not of the writer.
  if (data.size() > kMaxPayload) return LinkResult::CommError;
  return Acknowledged("Write Data", req::WriteData(data));
}

}  // namespace vantrell
