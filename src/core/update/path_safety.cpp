#include "core/update/path_safety.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/utf8_path.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

bool HasForbiddenText(std::string_view name) {
  return name.empty() || name.find("..") != std::string_view::npos || name.find('\\') != std::string_view::npos ||
         name.find('\0') != std::string_view::npos;
}

// Strictly inside: a name that resolves to the directory itself (".",
// "./") names no file of it.
bool IsInside(const fs::path& inner, const fs::path& outer) {
  const auto [stop, rest] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return stop == outer.end() && rest != inner.end() && !rest->empty();
}

}  // namespace

std::optional<std::string> PathInsideDirectory(const std::string& directory, std::string_view name) {
  if (HasForbiddenText(name)) return std::nullopt;
  const fs::path relative = Utf8Path(name);
  if (relative.has_root_name() || relative.has_root_directory()) return std::nullopt;
  std::error_code ec;
  const fs::path base = fs::weakly_canonical(Utf8Path(directory), ec);
  if (ec) return std::nullopt;
  const fs::path resolved = fs::weakly_canonical(base / relative, ec);
  if (ec || !IsInside(resolved, base)) return std::nullopt;
  return PathUtf8(resolved);
}

}  // namespace vantrell
