#pragma once
// What the NAND window remembers between its showings: what the writer
// reported of the flash, until a Refresh (or an Erase All) replaces it, and
// the files chosen for a download.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrell {

class RunControl;

struct NandFlashState {
  std::int32_t blockSize = 0;
  std::int32_t totalBlockCount = 0;
  std::int32_t badBlockCount = 0;
  bool hasBadBlocks = false;
  std::int32_t fatStartBlock = 0;
  bool informationRead = false;  // a Refresh or an Erase All has read the geometry
};

inline constexpr std::size_t kNandFileCount = 3;
// File1 to File3 as the texts number them, from a zero-based index.
inline int NandFileNumber(std::size_t index) { return static_cast<int>(index) + 1; }

struct NandFileChoice {
  std::string name;  // without its folder, as the name edit shows it
  std::string path;  // the full path the download reads
};
using NandFiles = std::array<NandFileChoice, kNandFileCount>;

// Where a run leaves what it learnt of the flash. Nothing is kept once the
// run is abandoned.
class NandStateKeeper {
 public:
  virtual ~NandStateKeeper() = default;
  virtual void KeepFlashState(const RunControl& control, const NandFlashState& state) = 0;
};

}  // namespace vantrell
