#include "core/nand/download/nand_block_range.h"

#include <algorithm>

#include "core/text/format.h"

namespace vantrell {
namespace {

template <typename Test>
std::optional<std::size_t> FirstEarlier(std::size_t k, const NandFileRanges& earlier, Test test) {
  for (std::size_t j = 0; j < k; ++j)
    if (earlier[j] && test(*earlier[j])) return j;
  return std::nullopt;
}

}  // namespace

std::optional<NandBlockRange> FileBlockRange(std::int64_t first, std::uint64_t length, std::int32_t blockSize) {
  if (length == 0 || blockSize <= 0) return std::nullopt;
  const auto size = static_cast<std::uint64_t>(blockSize);
  // Capped far beyond any flash, so that first + blocks cannot wrap.
  constexpr std::uint64_t kMostBlocks = std::uint64_t{1} << 40;
  const std::uint64_t blocks = std::min(length / size + (length % size != 0 ? 1 : 0), kMostBlocks);
  return NandBlockRange{first, first + static_cast<std::int64_t>(blocks) - 1};
}

bool InsideFlash(const NandBlockRange& range, const NandFlashState& flash) {
  return range.first >= 0 && range.last < flash.totalBlockCount;
}

std::optional<std::size_t> OverlappedEarlierFile(std::size_t k, const NandBlockRange& range,
                                                 const NandFileRanges& earlier) {
  if (auto j = FirstEarlier(k, earlier, [&](const NandBlockRange& e) { return e.Holds(range.first); })) return j;
  if (auto j = FirstEarlier(k, earlier, [&](const NandBlockRange& e) { return e.Holds(range.last); })) return j;
  return FirstEarlier(k, earlier, [&](const NandBlockRange& e) { return range.Holds(e.first); });
}

std::string OverlapText(std::size_t file, std::size_t earlier) {
  return FormatText("Start Block Number of File%d is wrong!\r\n(overlap with File%d)", NandFileNumber(file),
                    NandFileNumber(earlier));
}

std::string DoesNotFitText(std::size_t file) {
  return FormatText("File%d does not fit in the NAND flash!", NandFileNumber(file));
}

}  // namespace vantrell
