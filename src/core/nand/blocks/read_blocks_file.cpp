#include "core/nand/blocks/read_blocks_file.h"


#include "core/platform/whole_file_save.h"
#include "core/program/job/file_checksum.h"

namespace vantrell {

ReadBlocksSave SaveReadBlocks(const std::string& path, std::span<const std::uint8_t> data) {
  switch (SaveWholeFile(path, data)) {
    case WholeFileSave::Saved:
      return ReadBlocksSave::Saved;
    case WholeFileSave::NotCreated:
      return ReadBlocksSave::NotCreated;
    case WholeFileSave::WriteFailed:
      break;
  }
  return ReadBlocksSave::WriteFailed;
}

}  // namespace vantrell
