#pragma once
// What the chip family's replies mean. Replies are untrusted: a reply too
// short to carry what its command promises is refused as CommError rather
// than read past the bytes that arrived.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/link/link_result.h"
#include "core/link/packet.h"
#include "core/program/chip/chip_types.h"

namespace vantrell {

// Folds a status reply into status: byte 2 + i, when not 0, replaces the
// state of socket i; a 0 leaves it as it was, so an earlier failure survives.
// CommError when the reply cannot carry the state of every served socket.
LinkResult MergeStatus(const ReplyPacket& reply, std::size_t socketCount, ChipStatus& status);

enum class ChipIdForm {
  Short,      // 9 bytes or fewer: chip IDs only
  Extended,   // exactly 23 bytes: chip IDs, then (manufacturer, device) pairs
  Malformed,  // more than 9 bytes but not 23: the chip IDs are still known
  TooShort,   // fewer chip IDs than served sockets: nothing is known
};

struct ChipIdParse {
  ChipIdForm form = ChipIdForm::TooShort;
  ChipIdReply ids;
};

ChipIdParse ParseChipIds(const ReplyPacket& reply, std::size_t socketCount);

// Verify End: socket i's checksum at payload offset 4 * i, least significant
// byte first. CommError when the reply lacks a served socket's checksum.
LinkResult ParseChecksums(const ReplyPacket& reply, std::size_t socketCount, SocketChecksums& checksums);

// The request of a Read Data range was taken when reply byte 2 is 0.
bool ReadRangeAccepted(const ReplyPacket& reply);

// One Read Data packet: reply byte 1 counts the data bytes from byte 2.
// CommError when the count is above 62, above room (what the caller's buffer
// still takes), or above what actually arrived.
struct DataPacket {
  LinkResult result = LinkResult::CommError;
  std::span<const std::uint8_t> data;
};
DataPacket ParseDataPacket(const ReplyPacket& reply, std::uint32_t room);

}  // namespace vantrell
