#pragma once
// What the NAND family's replies mean. Every reply must echo its request's
// code. Replies are untrusted: nothing is read past the bytes that arrived,
// and a count byte above 62 (more than a packet carries) is refused.
#include <cstdint>
#include <optional>

#include "core/link/link_result.h"
#include "core/link/packet.h"
#include "core/nand/commands/nand_types.h"

namespace vantrell {

// Echo, 1, 0: the writer did what was asked.
LinkResult CheckAcknowledge(const ReplyPacket& reply, std::uint8_t code);

// Echo and 1, then the block's state in byte 2: 0xFF CommError, 0xFE
// BadBlock, anything else Success.
LinkResult CheckBlockStatus(const ReplyPacket& reply, std::uint8_t code);

// Echo, 4, then a 32-bit number; nothing when the reply is not that.
std::optional<std::uint32_t> ParseNumber(const ReplyPacket& reply, std::uint8_t code);

// Echo, then the count byte and that many bytes; nothing when the count is
// above 62 or more than arrived.
std::optional<NandDataPacket> ParseData(const ReplyPacket& reply, std::uint8_t code);

enum class FlashInfoForm {
  Accepted,
  NotInformation,  // byte 0 is not 0xA0
  Short,           // the count byte is 8 or less: no room for a name
  Refused,         // a count the packet cannot carry, or geometry the program refuses
};

struct FlashInfoParse {
  FlashInfoForm form = FlashInfoForm::NotInformation;
  NandFlashInfo info;
};

// Block size (4 bytes), total block count (4 bytes), then the name.
FlashInfoParse ParseFlashInformation(const ReplyPacket& reply);

}  // namespace vantrell
