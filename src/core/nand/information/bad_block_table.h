#pragma once
// The writer's bad block table as the program reads and shows it: 15
// entries a reply, 4 bytes an entry, least significant byte first.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/nand/commands/nand_types.h"
#include "core/nand/operations/nand_flash_state.h"

namespace vantrell {

inline constexpr std::int32_t kBadBlocksPerReply = 15;
inline constexpr std::uint8_t kBadBlockEntryBytes = 4;

// How many full replies of 15 entries a count takes, and how many entries
// the last, shorter reply carries (0: none is asked for).
struct BadBlockReplies {
  std::int32_t full = 0;
  std::int32_t rest = 0;
};
BadBlockReplies SplitBadBlockCount(std::int32_t count);

// A count the program believes: not negative, and not above the flash's
// block count (65 536 while the geometry is unknown).
bool BadBlockCountAccepted(std::int32_t count, const NandFlashState& flash);

// Appends the packet's entries to the table.
void AppendBadBlocks(const NandDataPacket& packet, std::vector<std::int32_t>& table);

// The Bad Block List's text, piece by piece as the window appends it.
std::vector<std::string> BadBlockListTexts(std::int32_t count, std::span<const std::int32_t> table);

}  // namespace vantrell
