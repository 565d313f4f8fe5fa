// Linked into every Windows test program. Programs the tests start from a
// temporary folder (a companion written out, a copied Vantrell.exe, the
// program the updater starts) find the MinGW and Qt DLLs and Qt's plugins
// in the test programs' own folder, as an installed program finds them
// beside itself. Children inherit the environment set here.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring OwnDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

[[maybe_unused]] const bool kRuntimeReachable = [] {
  const std::wstring directory = OwnDirectory();
  if (directory.empty()) return false;
  const wchar_t* path = _wgetenv(L"PATH");
  const std::wstring searched = directory + (path != nullptr ? L";" + std::wstring(path) : L"");
  // _wputenv_s changes the C runtime's copy and the process's own, which
  // CreateProcess and ShellExecute hand on.
  return _wputenv_s(L"PATH", searched.c_str()) == 0 && _wputenv_s(L"QT_PLUGIN_PATH", directory.c_str()) == 0;
}();

}  // namespace
