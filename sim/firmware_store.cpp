#include "firmware_store.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim_path.h"

namespace orbsim {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  std::ifstream in(SimPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::vector<std::uint8_t>> FirmwareStore::Load() const { return ReadWholeFile(FirmwarePath()); }

bool FirmwareStore::Save(const std::vector<std::uint8_t>& image) const {
  std::error_code ec;
  std::filesystem::create_directories(SimPath(directory_), ec);
  return SaveWholeFile(FirmwarePath(), image);
}

bool SaveWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(SimPath(temp), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::error_code ec;
  std::filesystem::rename(SimPath(temp), SimPath(path), ec);
  return !ec;
}

}  // namespace orbsim
