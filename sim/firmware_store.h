#pragma once
// The writer's own firmware, kept in the state directory so that an update
// survives a restart of the program, as on a real writer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orbsim {

class FirmwareStore {
 public:
  explicit FirmwareStore(std::string directory) : directory_(std::move(directory)) {}

  // The stored firmware; an empty image means the writer was erased. No
  // value means the state is new (nothing was ever stored).
  std::optional<std::vector<std::uint8_t>> Load() const;
  // Replaces the stored firmware atomically; false when it could not be written.
  bool Save(const std::vector<std::uint8_t>& image) const;

  const std::string& Directory() const { return directory_; }
  std::string FirmwarePath() const { return directory_ + "/firmware.bin"; }
  std::string ConfigPath() const { return directory_ + "/config.json"; }

 private:
  std::string directory_;
};

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);
// Replaces the file at path atomically (a temporary file renamed over it).
bool SaveWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace orbsim
