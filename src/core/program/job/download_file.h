#pragma once
// The data file a run is writing, opened for reading. Only the worker that
// opened it reads or closes it.
#include <cstdint>
#include <fstream>
#include <span>
#include <string>

namespace vantrell {

class DownloadFile {
 public:
  // An existing regular file (path in UTF-8), for reading.
  bool Open(const std::string& path);
  bool IsOpen() const { return stream_.is_open(); }
  // The size found when the file was opened.
  std::uint64_t Size() const { return size_; }
  // True only when every byte asked for arrived: a file that shrank since it
  // was opened fails here instead of handing back stale bytes.
  bool ReadExactly(std::span<std::uint8_t> into);
  bool Rewind();
  void Close();

 private:
  std::ifstream stream_;
  std::uint64_t size_ = 0;
};

}  // namespace vantrell
