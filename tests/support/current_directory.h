#pragma once
// Makes a directory the process's current one for a scope: the companion
// tools are written to and started from the current directory.
#include <filesystem>
#include <string>

namespace vantrell::test {

class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& directory) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  ~ScopedCurrentDirectory() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
  }
  ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
  ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace vantrell::test
