#include "core/platform/running_program.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrell {

#if defined(_WIN32)

// A running program's file cannot be opened for writing with no sharing.
bool IsProgramFileRunning(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

#else

// Every process's "exe" leads to the file it runs, even one replaced or
// removed since; the same device and inode is the same file.
bool IsProgramFileRunning(const std::string& path) {
  struct stat program{};
  if (::stat(path.c_str(), &program) != 0) return false;
  const std::string self = std::to_string(::getpid());
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    const std::string pid = entry.path().filename().string();
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    if (pid == self) continue;
    struct stat running{};
    const std::string exe = entry.path().string() + "/exe";
    if (::stat(exe.c_str(), &running) == 0 && running.st_dev == program.st_dev && running.st_ino == program.st_ino) {
      return true;
    }
  }
  return false;
}

#endif

bool WaitUntilProgramEnds(const std::string& path, std::chrono::milliseconds limit,
                          const ProgramRunningCheck& isRunning) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (isRunning(path)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

}  // namespace vantrell
