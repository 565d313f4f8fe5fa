#pragma once
// The NAND flash of the target board: blocks of one size, a factory bad
// block table that grows when blocks wear out, and the FAT start block
// number the firmware keeps. Only blocks that were programmed are held (an
// erased block reads 0xFF), so memory follows what was written, not the
// flash's size. The board lives in a directory of the state directory, so
// what was written survives a restart of the program, as on a real board.
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace orbsim {

struct NandGeometry {
  std::uint32_t blockSize = 0;
  std::uint32_t blockCount = 0;
  bool operator==(const NandGeometry&) const = default;
};

class NandBoard {
 public:
  // Takes up the board stored in directory when it has this geometry; a
  // board of another geometry stored there is replaced by a blank one.
  NandBoard(NandGeometry geometry, std::vector<std::uint32_t> factoryBad, std::uint32_t fatStartBlock,
            std::string directory);
  // Stores what is not stored yet.
  ~NandBoard();
  NandBoard(const NandBoard&) = delete;
  NandBoard& operator=(const NandBoard&) = delete;

  const NandGeometry& Geometry() const { return geometry_; }
  bool InFlash(std::uint32_t block) const { return block < geometry_.blockCount; }
  bool IsBad(std::uint32_t block) const;
  // Factory bad blocks first, then those that went bad, in that order.
  const std::vector<std::uint32_t>& BadTable() const { return badTable_; }
  void GoBad(std::uint32_t block);

  void Erase(std::uint32_t block);
  // Programming only clears bits; bytes past the block are not taken.
  void Program(std::uint32_t block, std::uint32_t offset, std::span<const std::uint8_t> bytes);
  // Bytes of the block from offset; erased bytes read 0xFF.
  void Read(std::uint32_t block, std::uint32_t offset, std::span<std::uint8_t> out) const;

  std::uint32_t FatStartBlock() const { return fatStartBlock_; }
  void SetFatStartBlock(std::uint32_t block);

  // Writes the blocks programmed since the last flush.
  void Flush();
  std::size_t StoredBlocks() const { return blocks_.size(); }

 private:
  void Load();
  void Discard();
  void SaveBoard() const;
  bool EnsureDirectory() const;
  std::string BoardPath() const;
  std::string BlockPath(std::uint32_t block) const;

  NandGeometry geometry_;
  std::vector<std::uint32_t> badTable_;
  std::vector<std::uint32_t> grownBad_;
  std::uint32_t fatStartBlock_;
  std::string directory_;
  std::map<std::uint32_t, std::vector<std::uint8_t>> blocks_;
  std::set<std::uint32_t> unsaved_;
};

}  // namespace orbsim
