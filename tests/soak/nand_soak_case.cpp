// The NAND half of a soak case: a small board with a few bad blocks, what
// its operation is given, and the faults the board may show.
#include <algorithm>

#include "soak/soak_case.h"
#include "soak/soak_random.h"

namespace vantrell::soak {
namespace {

std::vector<std::uint8_t> RandomBytes(std::mt19937_64& rng, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  return bytes;
}

std::int32_t BlocksOf(std::size_t bytes) {
  return static_cast<std::int32_t>((bytes + kNandBlockSize - 1) / kNandBlockSize);
}

bool MeetsBadBlock(const NandPlan& plan, std::int32_t first, std::size_t bytes) {
  return std::any_of(plan.badBlocks.begin(), plan.badBlocks.end(), [&](std::uint32_t bad) {
    return static_cast<std::int32_t>(bad) >= first && static_cast<std::int32_t>(bad) < first + BlocksOf(bytes);
  });
}

// Data somewhere the download can write it: clear of bad blocks.
void DrawBackground(std::mt19937_64& rng, NandPlan& plan) {
  plan.background = RandomBytes(rng, Uniform<std::size_t>(rng, 1, 4 * kNandBlockSize));
  for (int tries = 0; tries < 32; ++tries) {
    plan.backgroundStart = Uniform<std::int32_t>(rng, 0, kNandBlocks - BlocksOf(plan.background.size()));
    if (!MeetsBadBlock(plan, plan.backgroundStart, plan.background.size())) return;
  }
  plan.background.clear();
}

// Mostly files that fit one after another; now and then a start anywhere,
// which may overlap an earlier file or run past the flash.
void DrawDownload(std::mt19937_64& rng, NandPlan& plan) {
  for (std::size_t k = 0; k < plan.files.size(); ++k) {
    if (!Chance(rng, 0.6)) continue;
    plan.files[k] = RandomBytes(rng, Uniform<std::size_t>(rng, 1, 3 * kNandBlockSize));
    plan.startBlocks[k] =
        Chance(rng, 0.85) ? static_cast<std::int32_t>(k) * 20 + Uniform(rng, 0, 14) : Uniform(rng, 0, kNandBlocks + 2);
  }
  plan.fatChecked = Chance(rng, 0.5);
  plan.fatValue = Uniform(rng, 0, kNandBlocks - 1);
}

nlohmann::json DrawBoardFaults(std::mt19937_64& rng, NandPlan& plan) {
  nlohmann::json section = nlohmann::json::object();
  if (Chance(rng, 0.25))
    section["wear_out"] = {{{"block", Uniform(rng, 0, kNandBlocks - 1)}, {"erase", Uniform(rng, 1, 2)}}};
  if ((plan.countByteFault = Chance(rng, 0.1)))
    section["bad_block_count_byte"] = {{{"reply", Uniform(rng, 1, 2)}, {"count", Uniform(rng, 0, 20)}}};
  if ((plan.informationFault = Chance(rng, 0.05))) section["information_count_byte"] = Uniform(rng, 0, 8);
  return section;
}

}  // namespace

void DrawNandPlan(std::mt19937_64& rng, SoakCase& c) {
  NandPlan& plan = c.nand;
  for (int n = Uniform(rng, 0, 4); n > 0; --n)
    plan.badBlocks.push_back(Uniform<std::uint32_t>(rng, 0, kNandBlocks - 1));
  std::sort(plan.badBlocks.begin(), plan.badBlocks.end());
  plan.badBlocks.erase(std::unique(plan.badBlocks.begin(), plan.badBlocks.end()), plan.badBlocks.end());
  plan.fatStartBlock = Uniform<std::uint32_t>(rng, 0, kNandBlocks - 1);
  DrawBackground(rng, plan);
  if (c.operation == Operation::NandDownload) DrawDownload(rng, plan);
  // Reads and erases mostly start at the data written before them.
  const std::int32_t near = plan.background.empty() || Chance(rng, 0.3)
                                ? Uniform(rng, 0, kNandBlocks - 1)
                                : std::clamp(plan.backgroundStart + Uniform(rng, -1, 1), 0, kNandBlocks - 1);
  if (c.operation == Operation::NandErase) {
    plan.first = near;
    plan.second = Chance(rng, 0.9) ? std::min(kNandBlocks - 1, plan.first + Uniform(rng, 0, 8))
                                   : Uniform(rng, 0, kNandBlocks + 2);
  }
  if (c.operation == Operation::NandReadBlock) {
    plan.first = near;
    plan.second = Chance(rng, 0.9) ? Uniform(rng, 1, 4) : Uniform(rng, 0, kNandBlocks + 2);
  }
  if (Chance(rng, 0.5)) DrawLinkFault(rng, c.operation == Operation::NandEraseAll ? 100 : 60, c);
  const nlohmann::json section = DrawBoardFaults(rng, plan);
  if (!section.empty()) c.config["nand"] = section;
}

std::string NandPlan::Describe() const {
  std::string text = "bad blocks [";
  for (std::uint32_t b : badBlocks) text += " " + std::to_string(b);
  text += " ], FAT start " + std::to_string(fatStartBlock) + ", background " + std::to_string(background.size()) +
          " bytes at " + std::to_string(backgroundStart);
  for (std::size_t k = 0; k < files.size(); ++k) {
    if (!files[k].empty())
      text += ", file" + std::to_string(k + 1) + " " + std::to_string(files[k].size()) + " bytes at " +
              std::to_string(startBlocks[k]);
  }
  if (fatChecked) text += ", FAT " + std::to_string(fatValue);
  return text + ", edits " + std::to_string(first) + " " + std::to_string(second);
}

}  // namespace vantrell::soak
