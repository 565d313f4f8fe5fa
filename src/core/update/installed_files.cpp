#include "core/update/installed_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "core/platform/utf8_path.h"

namespace vantrell {

bool DiskInstalledFiles::IsPresent(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(Utf8Path(path), ec)) return false;
#if defined(_WIN32)
  // No sharing: a file another program holds open is not taken as present.
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
#else
  // Linux has no share modes: present means readable.
  return std::ifstream(Utf8Path(path), std::ios::binary).is_open();
#endif
}

std::optional<std::string> DiskInstalledFiles::Read(const std::string& path, std::size_t maxBytes) {
  std::error_code ec;
  const std::filesystem::path file = Utf8Path(path);
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec || size > maxBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad() || bytes.size() > maxBytes) return std::nullopt;
  return bytes;
}

}  // namespace vantrell
