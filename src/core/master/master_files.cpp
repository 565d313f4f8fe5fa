#include "core/master/master_files.h"

#include <fstream>

#include "core/program/job/download_file.h"
#include "core/program/job/file_checksum.h"

namespace vantrell {

ComparisonFile LoadComparisonFile(const std::string& path) {
  DownloadFile file;
  if (!file.Open(path)) return {};
  ComparisonFile loaded{.result = ComparisonLoad::ReadFailed, .bytes = {}};
  if (file.Size() > kMaxComparisonBytes) return loaded;
  loaded.bytes.resize(static_cast<std::size_t>(file.Size()));
  if (!file.ReadExactly(loaded.bytes)) {
    loaded.bytes.clear();
    return loaded;
  }
  loaded.result = ComparisonLoad::Loaded;
  return loaded;
}

ReadDataSave SaveReadData(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(Utf8Path(path), std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return ReadDataSave::CreateFailed;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return file.fail() ? ReadDataSave::WriteFailed : ReadDataSave::Saved;
}

std::string FileNameOf(const std::string& path) {
  const std::u8string name = Utf8Path(path).filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace vantrell
