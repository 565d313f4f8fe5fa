#include "core/platform/program_path.h"

#include <filesystem>

#include "core/platform/utf8_path.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vantrell {

std::string ExecutablePath() {
#if defined(_WIN32)
  // The path is as long as it is: the buffer grows until the whole of it
  // fits, so a deep program directory is never cut short.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return Utf8FromWide(path);
    }
    path.resize(path.size() * 2);
  }
#else
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
#endif
}

std::string ProgramDirectory() {
  const std::string exe = ExecutablePath();
  return exe.empty() ? std::string(".") : PathUtf8(Utf8Path(exe).parent_path());
}

}  // namespace vantrell
