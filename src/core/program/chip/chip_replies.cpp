#include "core/program/chip/chip_replies.h"

#include <algorithm>

namespace vantrell {
namespace {

constexpr std::size_t kHeaderBytes = 2;
constexpr std::size_t kShortIdReplyBytes = kHeaderBytes + kMaxSockets;    // 9
constexpr std::size_t kExtendedIdReplyBytes = kShortIdReplyBytes + 2 * kMaxSockets;  // 23

}  // namespace

LinkResult MergeStatus(const ReplyPacket& reply, std::size_t socketCount, ChipStatus& status) {
  const std::size_t sockets = std::min(socketCount, kMaxSockets);
  if (!reply.Has(kHeaderBytes + sockets)) return LinkResult::CommError;
  for (std::size_t i = 0; i < sockets; ++i) {
    const std::uint8_t state = reply.bytes[kHeaderBytes + i];
    if (state != 0) status[i] = state;
  }
  return LinkResult::Success;
}

ChipIdParse ParseChipIds(const ReplyPacket& reply, std::size_t socketCount) {
  ChipIdParse parse;
  const std::size_t sockets = std::min(socketCount, kMaxSockets);
  if (!reply.Has(kHeaderBytes + sockets)) return parse;

  const std::size_t idsArrived = std::min(reply.count - kHeaderBytes, kMaxSockets);
  for (std::size_t i = 0; i < idsArrived; ++i) parse.ids.chipIds[i] = reply.bytes[kHeaderBytes + i];

  if (reply.count <= kShortIdReplyBytes) {
    parse.form = ChipIdForm::Short;
  } else if (reply.count != kExtendedIdReplyBytes) {
    parse.form = ChipIdForm::Malformed;
  } else {
    parse.form = ChipIdForm::Extended;
    parse.ids.extended = true;
    for (std::size_t i = 0; i < sockets; ++i) {
      parse.ids.makerIds[i] = reply.bytes[kShortIdReplyBytes + 2 * i];
      parse.ids.deviceIds[i] = reply.bytes[kShortIdReplyBytes + 2 * i + 1];
    }
  }
  return parse;
}

LinkResult ParseChecksums(const ReplyPacket& reply, std::size_t socketCount, SocketChecksums& checksums) {
  const std::size_t sockets = std::min(socketCount, kMaxSockets);
  if (!reply.Has(kHeaderBytes + 4 * sockets)) return LinkResult::CommError;
  checksums.fill(0);
  for (std::size_t i = 0; i < kMaxSockets && reply.Has(kHeaderBytes + 4 * (i + 1)); ++i) {
    const std::uint8_t* b = &reply.bytes[kHeaderBytes + 4 * i];
    checksums[i] = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                   static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }
  return LinkResult::Success;
}

bool ReadRangeAccepted(const ReplyPacket& reply) { return reply.ByteAt(2) == std::optional<std::uint8_t>(0); }

DataPacket ParseDataPacket(const ReplyPacket& reply, std::uint32_t room) {
  const auto count = reply.ByteAt(1);
  if (!count || *count > kMaxPayload || *count > room || !reply.Has(kHeaderBytes + *count)) return {};
  return {LinkResult::Success, {reply.bytes.data() + kHeaderBytes, *count}};
}

}  // namespace vantrell
