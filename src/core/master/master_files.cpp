#include "core/master/master_files.h"

#include <filesystem>

#include "core/platform/utf8_path.h"
#include "core/platform/whole_file_save.h"
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

const char* ComparisonLoadFailureText(ComparisonLoad result) {
  return result == ComparisonLoad::OpenFailed ? "File Open Error!" : "File Read Error!";
}

bool NameTheSameFile(const std::string& a, const std::string& b) {
  std::error_code unknown;
  return std::filesystem::equivalent(Utf8Path(a), Utf8Path(b), unknown) && !unknown;
}

ReadDataSave SaveReadData(const std::string& path, std::span<const std::uint8_t> bytes) {
  switch (SaveWholeFile(path, bytes)) {
    case WholeFileSave::Saved:
      return ReadDataSave::Saved;
    case WholeFileSave::NotCreated:
      return ReadDataSave::CreateFailed;
    case WholeFileSave::WriteFailed:
      break;
  }
  return ReadDataSave::WriteFailed;
}

std::string FileNameOf(const std::string& path) {
  const std::u8string name = Utf8Path(path).filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace vantrell
