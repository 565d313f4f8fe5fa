#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vantrell::test {

// A directory of its own for one test, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // name inside the directory, joined with the system's separator.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace vantrell::test
