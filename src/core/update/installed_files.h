#pragma once
// The files installed beside the program, as the update check reads them.
// Tests hand the check a layer of their own to see what it touches.
#include <cstddef>
#include <optional>
#include <string>

namespace vantrell {

class InstalledFiles {
 public:
  virtual ~InstalledFiles() = default;
  // Whether the file is present and not in use: it exists, is a regular
  // file and opens for reading (on Windows: with no one else sharing it).
  virtual bool IsPresent(const std::string& path) = 0;
  // The file's bytes; nothing when it is missing, unreadable or larger than
  // maxBytes.
  virtual std::optional<std::string> Read(const std::string& path, std::size_t maxBytes) = 0;
};

class DiskInstalledFiles : public InstalledFiles {
 public:
  bool IsPresent(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace vantrell
