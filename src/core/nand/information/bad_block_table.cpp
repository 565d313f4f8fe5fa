#include "core/nand/information/bad_block_table.h"

#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr std::int32_t kMaxCountWithoutGeometry = 65536;

}  // namespace

BadBlockReplies SplitBadBlockCount(std::int32_t count) {
  if (count <= 0) return {};
  return {count / kBadBlocksPerReply, count % kBadBlocksPerReply};
}

bool BadBlockCountAccepted(std::int32_t count, const NandFlashState& flash) {
  const std::int32_t limit = flash.totalBlockCount > 0 ? flash.totalBlockCount : kMaxCountWithoutGeometry;
  return count >= 0 && count <= limit;
}

void AppendBadBlocks(const NandDataPacket& packet, std::vector<std::int32_t>& table) {
  const auto data = packet.Data();
  for (std::size_t at = 0; at + kBadBlockEntryBytes <= data.size(); at += kBadBlockEntryBytes) {
    const std::uint32_t entry = static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
                                static_cast<std::uint32_t>(data[at + 2]) << 16 |
                                static_cast<std::uint32_t>(data[at + 3]) << 24;
    table.push_back(static_cast<std::int32_t>(entry));
  }
}

std::vector<std::string> BadBlockListTexts(std::int32_t count, std::span<const std::int32_t> table) {
  std::vector<std::string> texts;
  texts.reserve(table.size() + 1);
  texts.push_back(FormatText("Bad Block Count => %d\r\n\r\n", count));
  for (std::int32_t entry : table) texts.push_back(FormatText("%d\r\n", entry));
  return texts;
}

}  // namespace vantrell
