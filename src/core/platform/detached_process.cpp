#include "core/platform/detached_process.h"

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>

#include "core/platform/utf8_path.h"
#else
#include <spawn.h>
extern char** environ;
#endif

namespace vantrell {

#if defined(_WIN32)

// The shell starts it as Explorer would: no handles inherited, a process of
// its own that the caller's end does not touch. Values above 32 mean started.
bool StartDetached(const std::string& path) {
  const std::wstring file = WideFromUtf8(path);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

#else

bool StartDetached(const std::string& path) {
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
  if (posix_spawnattr_init(&attributes) != 0) return false;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    posix_spawnattr_destroy(&attributes);
    return false;
  }
  const bool prepared = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID) == 0 &&
                        posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;
  pid_t child = 0;
  char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
  const bool started = prepared && posix_spawn(&child, path.c_str(), &actions, &attributes, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return started;
}

#endif

}  // namespace vantrell
