#include "support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/platform/utf8_path.h"
#include "core/text/format.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;

// A name no other test and no other test run is using: create_directory
// makes the directory only when the name is free, so a taken one is drawn again.
fs::path NewDirectory() {
  static std::mt19937_64 draw(std::random_device{}() ^
                              static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / FormatText("vantrell-test-%016llx", static_cast<unsigned long long>(draw()));
    if (fs::create_directory(candidate)) return candidate;
  }
  throw std::runtime_error("cannot create a temporary directory in " + PathUtf8(base));
}

}  // namespace

TempDir::TempDir() : path_(PathUtf8(NewDirectory())) {}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(Utf8Path(path_), ec);
}

std::string TempDir::File(const std::string& name) const { return PathUtf8(Utf8Path(path_) / Utf8Path(name)); }

// In one piece: a program file runs to many megabytes.
std::string ReadBytes(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vantrell::test
