#include "core/nand/operations/nand_file_size.h"

#include <filesystem>
#include <fstream>

#include "core/platform/utf8_path.h"
#include "core/text/format.h"

namespace vantrell {

std::string NandFileSizeText(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path file = Utf8Path(path);
  if (!std::filesystem::is_regular_file(file, ec) || !std::ifstream(file, std::ios::binary)) return "0";
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return "0";
  // Shown whole: a file past 2 GiB would otherwise show a negative size.
  return FormatText("%llu", static_cast<unsigned long long>(size));
}

}  // namespace vantrell
