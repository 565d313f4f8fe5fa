#include "families/nand/nand_board.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "sim_path.h"

#include "firmware_store.h"

namespace orbsim {
namespace {

constexpr std::uint8_t kErased = 0xFF;
constexpr const char* kBlockPrefix = "block_";

}  // namespace

NandBoard::NandBoard(NandGeometry geometry, std::vector<std::uint32_t> factoryBad, std::uint32_t fatStartBlock,
                     std::string directory)
    : geometry_(geometry), badTable_(std::move(factoryBad)), fatStartBlock_(fatStartBlock), directory_(std::move(directory)) {
  Load();
}

NandBoard::~NandBoard() { Flush(); }

std::string NandBoard::BoardPath() const { return directory_ + "/board.json"; }

std::string NandBoard::BlockPath(std::uint32_t block) const {
  return directory_ + "/" + kBlockPrefix + std::to_string(block) + ".bin";
}

bool NandBoard::EnsureDirectory() const {
  std::error_code ec;
  std::filesystem::create_directories(SimPath(directory_), ec);
  return !ec;
}

void NandBoard::Load() {
  std::ifstream in(SimPath(BoardPath()));
  if (!in) return;  // a new board
  nlohmann::json stored;
  try {
    stored = nlohmann::json::parse(in);
    if (NandGeometry{stored.at("block_size").get<std::uint32_t>(), stored.at("block_count").get<std::uint32_t>()} !=
        geometry_) {
      Discard();  // another board was stored here
      return;
    }
    fatStartBlock_ = stored.at("fat_start_block").get<std::uint32_t>();
    for (std::uint32_t block : stored.at("grown_bad_blocks").get<std::vector<std::uint32_t>>()) GoBad(block);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "OrbSim: cannot use %s: %s; starting a blank NAND board\n", BoardPath().c_str(), e.what());
    Discard();
    return;
  }
  for (const auto& entry : std::filesystem::directory_iterator(SimPath(directory_))) {
    const std::string name = SimPathText(entry.path().filename());
    if (!name.starts_with(kBlockPrefix) || !name.ends_with(".bin")) continue;
    const std::string number = name.substr(std::char_traits<char>::length(kBlockPrefix));
    const unsigned long block = std::strtoul(number.c_str(), nullptr, 10);
    auto bytes = ReadWholeFile(SimPathText(entry.path()));
    if (block < geometry_.blockCount && bytes && bytes->size() == geometry_.blockSize) blocks_[block] = std::move(*bytes);
  }
}

void NandBoard::Discard() {
  std::error_code ec;
  std::filesystem::remove_all(SimPath(directory_), ec);
  grownBad_.clear();
}

void NandBoard::SaveBoard() const {
  if (!EnsureDirectory()) return;
  const nlohmann::json board = {{"block_size", geometry_.blockSize},
                                {"block_count", geometry_.blockCount},
                                {"fat_start_block", fatStartBlock_},
                                {"grown_bad_blocks", grownBad_}};
  const std::string text = board.dump(2);
  SaveWholeFile(BoardPath(), std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool NandBoard::IsBad(std::uint32_t block) const {
  return std::find(badTable_.begin(), badTable_.end(), block) != badTable_.end();
}

void NandBoard::GoBad(std::uint32_t block) {
  if (IsBad(block) || !InFlash(block)) return;
  badTable_.push_back(block);
  grownBad_.push_back(block);
  SaveBoard();
}

void NandBoard::Erase(std::uint32_t block) {
  if (blocks_.erase(block) == 0) return;
  unsaved_.erase(block);
  std::error_code ec;
  std::filesystem::remove(SimPath(BlockPath(block)), ec);
}

void NandBoard::Program(std::uint32_t block, std::uint32_t offset, std::span<const std::uint8_t> bytes) {
  if (!InFlash(block) || offset >= geometry_.blockSize) return;
  auto [stored, added] = blocks_.try_emplace(block);
  if (added) stored->second.assign(geometry_.blockSize, kErased);
  const std::size_t n = std::min<std::size_t>(bytes.size(), geometry_.blockSize - offset);
  for (std::size_t i = 0; i < n; ++i) stored->second[offset + i] &= bytes[i];
  unsaved_.insert(block);
}

void NandBoard::Read(std::uint32_t block, std::uint32_t offset, std::span<std::uint8_t> out) const {
  std::fill(out.begin(), out.end(), kErased);
  const auto stored = blocks_.find(block);
  if (stored == blocks_.end() || offset >= geometry_.blockSize) return;
  const std::size_t n = std::min<std::size_t>(out.size(), geometry_.blockSize - offset);
  std::copy_n(stored->second.begin() + offset, n, out.begin());
}

void NandBoard::SetFatStartBlock(std::uint32_t block) {
  fatStartBlock_ = block;
  SaveBoard();
}

void NandBoard::Flush() {
  if (unsaved_.empty()) return;
  SaveBoard();
  for (std::uint32_t block : unsaved_) SaveWholeFile(BlockPath(block), blocks_.at(block));
  unsaved_.clear();
}

}  // namespace orbsim
