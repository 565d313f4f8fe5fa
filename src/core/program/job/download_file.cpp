#include "core/program/job/download_file.h"

#include <filesystem>
#include <system_error>

#include "core/program/job/file_checksum.h"

namespace vantrell {

bool DownloadFile::Open(const std::string& path) {
  Close();
  stream_ = OpenExistingFile(path);
  if (!stream_.is_open()) return false;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(Utf8Path(path), error);
  if (error) {
    Close();
    return false;
  }
  size_ = static_cast<std::uint64_t>(size);
  return true;
}

bool DownloadFile::ReadExactly(std::span<std::uint8_t> into) {
  if (!stream_.is_open()) return false;
  if (into.empty()) return true;
  stream_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
  return stream_.gcount() == static_cast<std::streamsize>(into.size());
}

bool DownloadFile::Rewind() {
  if (!stream_.is_open()) return false;
  stream_.clear();
  stream_.seekg(0);
  return !stream_.fail();
}

void DownloadFile::Close() {
  if (stream_.is_open()) stream_.close();
  stream_.clear();
  size_ = 0;
}

}  // namespace vantrell
