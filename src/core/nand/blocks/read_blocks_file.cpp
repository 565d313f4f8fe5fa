#include "core/nand/blocks/read_blocks_file.h"

#include <fstream>

#include "core/program/job/file_checksum.h"

namespace vantrell {

ReadBlocksSave SaveReadBlocks(const std::string& path, std::span<const std::uint8_t> data) {
  std::ofstream file(Utf8Path(path), std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return ReadBlocksSave::NotCreated;
  file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  file.close();
  return file.fail() ? ReadBlocksSave::WriteFailed : ReadBlocksSave::Saved;
}

}  // namespace vantrell
