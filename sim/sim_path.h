#pragma once
// The simulator keeps its file names in UTF-8 like the program. On Windows
// they reach the file system as wide paths, through the program's own
// conversion; a narrow name would go through the ANSI code page.
#include <filesystem>
#include <string>

#if defined(_WIN32)
#include "core/platform/utf8_path.h"
#endif

namespace orbsim {

inline std::filesystem::path SimPath(const std::string& utf8) {
#if defined(_WIN32)
  return vantrell::Utf8Path(utf8);
#else
  return std::filesystem::path(utf8);
#endif
}

inline std::string SimPathText(const std::filesystem::path& path) {
#if defined(_WIN32)
  return vantrell::PathUtf8(path);
#else
  return path.string();
#endif
}

}  // namespace orbsim
