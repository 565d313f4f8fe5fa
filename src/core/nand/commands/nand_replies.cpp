#include "core/nand/commands/nand_replies.h"

#include <algorithm>

#include "core/nand/commands/nand_requests.h"

namespace vantrell {
namespace {

constexpr std::size_t kHeaderBytes = 2;
constexpr std::uint8_t kStateRefused = 0xFF;
constexpr std::uint8_t kStateBadBlock = 0xFE;
constexpr std::uint8_t kShortestInformation = 9;  // geometry and at least one name byte

bool Echoes(const ReplyPacket& reply, std::uint8_t code) { return reply.ByteAt(0) == code; }

std::uint32_t U32At(const ReplyPacket& reply, std::size_t offset) {
  const std::uint8_t* b = &reply.bytes[offset];
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

bool GeometryAccepted(const NandFlashInfo& info) {
  return info.blockSize != 0 && info.blockSize <= kMaxNandBlockSize && info.totalBlockCount != 0 &&
         info.totalBlockCount <= kMaxNandBlockCount;
}

}  // namespace

LinkResult CheckAcknowledge(const ReplyPacket& reply, std::uint8_t code) {
  const bool done = Echoes(reply, code) && reply.ByteAt(1) == 1 && reply.ByteAt(2) == 0;
  return done ? LinkResult::Success : LinkResult::CommError;
}

LinkResult CheckBlockStatus(const ReplyPacket& reply, std::uint8_t code) {
  if (!Echoes(reply, code) || reply.ByteAt(1) != 1) return LinkResult::CommError;
  const auto state = reply.ByteAt(2);
  if (!state || *state == kStateRefused) return LinkResult::CommError;
  return *state == kStateBadBlock ? LinkResult::BadBlock : LinkResult::Success;
}

std::optional<std::uint32_t> ParseNumber(const ReplyPacket& reply, std::uint8_t code) {
  if (!Echoes(reply, code) || reply.ByteAt(1) != 4 || !reply.Has(kHeaderBytes + 4)) return std::nullopt;
  return U32At(reply, kHeaderBytes);
}

std::optional<NandDataPacket> ParseData(const ReplyPacket& reply, std::uint8_t code) {
  const auto count = reply.ByteAt(1);
  if (!Echoes(reply, code) || !count || *count > kMaxPayload || !reply.Has(kHeaderBytes + *count)) return std::nullopt;
  NandDataPacket packet;
  packet.count = *count;
  std::copy_n(reply.bytes.begin() + kHeaderBytes, *count, packet.bytes.begin());
  return packet;
}

FlashInfoParse ParseFlashInformation(const ReplyPacket& reply) {
  FlashInfoParse parse;
  if (!Echoes(reply, nand_request::kReadFlashInformation)) return parse;
  const auto count = reply.ByteAt(1);
  if (count && *count < kShortestInformation) {
    parse.form = FlashInfoForm::Short;
    return parse;
  }
  parse.form = FlashInfoForm::Refused;
  if (!count || *count > kMaxPayload || !reply.Has(kHeaderBytes + *count)) return parse;
  parse.info.blockSize = U32At(reply, kHeaderBytes);
  parse.info.totalBlockCount = U32At(reply, kHeaderBytes + 4);
  const auto* name = reinterpret_cast<const char*>(&reply.bytes[kHeaderBytes + 8]);
  const std::size_t room = *count - 8;
  parse.info.name.assign(name, std::find(name, name + room, '\0'));
  if (GeometryAccepted(parse.info)) parse.form = FlashInfoForm::Accepted;
  return parse;
}

}  // namespace vantrell
