#include "core/nand/download/nand_download.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "core/common/prompt.h"
#include "core/nand/download/nand_block_range.h"
#include "core/program/job/file_checksum.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

// The box text when file k cannot take part; none once it is loaded. The
// length and the fit are known before a byte is allocated.
std::optional<std::string> LoadFile(std::size_t k, const std::string& path, std::int32_t startBlock,
                                    const NandFlashState& flash, NandDownloadFile& file) {
  const std::string openError = FormatText("File%d Open Error!", NandFileNumber(k));
  const std::string readError = FormatText("File%d Read Error!", NandFileNumber(k));
  std::ifstream in = OpenExistingFile(path);
  std::error_code ec;
  const std::uintmax_t length = std::filesystem::file_size(Utf8Path(path), ec);
  if (!in.is_open() || ec) return openError;
  if (length == 0) return FormatText("File%d is empty!", NandFileNumber(k));
  const auto range = FileBlockRange(startBlock, length, flash.blockSize);
  if (!range || !InsideFlash(*range, flash)) return DoesNotFitText(k);
  try {
    file.data.resize(length);
  } catch (const std::bad_alloc&) {
    return readError;
  }
  in.read(reinterpret_cast<char*>(file.data.data()), static_cast<std::streamsize>(length));
  if (static_cast<std::uintmax_t>(in.gcount()) != length) return readError;
  file.checked = true;
  return std::nullopt;
}

}  // namespace

std::optional<NandDownload> LoadNandDownload(const NandDownloadChoice& choice, const NandFiles& files,
                                             const NandFlashState& flash, Prompt& prompt) {
  const bool anyFile = std::ranges::any_of(choice.fileChecked, [](bool checked) { return checked; });
  if (!anyFile && !choice.fatChecked) {
    prompt.Tell(ApplicationBox("Download File & FAT Start Block Number are not selected!"));
    return std::nullopt;
  }
  NandDownload download;
  download.fatChecked = choice.fatChecked;
  for (std::size_t k = 0; k < kNandFileCount; ++k) {
    if (!choice.fileChecked[k]) continue;
    if (auto refusal = LoadFile(k, files[k].path, choice.startBlocks[k], flash, download.files[k])) {
      prompt.Tell(ApplicationBox(*refusal));
      return std::nullopt;
    }
  }
  return download;
}

}  // namespace vantrell
