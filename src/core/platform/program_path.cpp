#include "core/platform/program_path.h"

#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vantrell {

std::string ExecutablePath() {
#if defined(_WIN32)
  char buffer[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
#else
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
#endif
}

std::string ProgramDirectory() {
  const std::string exe = ExecutablePath();
  return exe.empty() ? std::string(".") : std::filesystem::path(exe).parent_path().string();
}

}  // namespace vantrell
