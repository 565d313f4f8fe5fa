#include "core/platform/running_program.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#if defined(_WIN32)
#include <optional>

#include <windows.h>
#include <tlhelp32.h>

#include "core/platform/utf8_path.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrell {

#if defined(_WIN32)

namespace {

// A file's identity: the volume and the file's index on it, whatever path
// or hard link names it. Opened for no access, any sharing: an open fails
// for no one else.
struct FileIdentity {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = GetFileInformationByHandle(file, &information) != 0;
  CloseHandle(file);
  if (!known) return std::nullopt;
  return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

// The program file a process runs; empty when the process cannot be asked.
std::wstring ImageOf(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  std::wstring image(32768, L'\0');
  DWORD length = static_cast<DWORD>(image.size());
  const bool known = QueryFullProcessImageNameW(process, 0, image.data(), &length) != 0;
  CloseHandle(process);
  image.resize(known ? length : 0);
  return image;
}

}  // namespace

// Every process but this one, asked which file it runs; the same volume and
// file index is the same file.
bool IsProgramFileRunning(const std::string& path) {
  const std::optional<FileIdentity> program = IdentityOf(WideFromUtf8(path));
  if (!program) return false;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  bool running = false;
  const DWORD self = GetCurrentProcessId();
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !running; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == self || entry.th32ProcessID == 0) continue;
    const std::wstring image = ImageOf(entry.th32ProcessID);
    running = !image.empty() && IdentityOf(image) == program;
  }
  CloseHandle(snapshot);
  return running;
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
