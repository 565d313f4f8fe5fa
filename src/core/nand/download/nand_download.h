#pragma once
// A NAND download as the Download button prepares it on the window's
// thread: which files take part and their contents, loaded before the
// worker starts, and whether the FAT start block number is written. A file
// opened meanwhile changes nothing already loaded.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/nand/operations/nand_flash_state.h"

namespace vantrell {

class Prompt;

struct NandDownloadFile {
  bool checked = false;
  std::vector<std::uint8_t> data;  // never empty for a checked file
};

struct NandDownload {
  std::array<NandDownloadFile, kNandFileCount> files;
  bool fatChecked = false;
};

// The window as the operator left it when pressing Download.
struct NandDownloadChoice {
  std::array<bool, kNandFileCount> fileChecked{};
  bool fatChecked = false;
  // The start block edits at the press; every checked file must fit in the
  // flash from there before anything starts.
  std::array<std::int32_t, kNandFileCount> startBlocks{};
};

// Loads every checked file from its path. Refused with a box, and nothing
// returned, when nothing is checked, a file does not open, is empty, does
// not fit between its start block and the end of the flash, or reads short.
std::optional<NandDownload> LoadNandDownload(const NandDownloadChoice& choice, const NandFiles& files,
                                             const NandFlashState& flash, Prompt& prompt);

}  // namespace vantrell
