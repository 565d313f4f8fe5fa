#include "companions/common/companion_app.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QTimer>

#if defined(_WIN32)
#include <windows.h>

#include "core/platform/utf8_path.h"
#endif

#include "companions/common/staging_cleanup.h"
#include "core/platform/program_path.h"
#include "core/update/companion_tool.h"

namespace vantrell::gui {
namespace {

bool DisplayAvailable() {
#if defined(_WIN32)
  return true;
#else
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
#endif
}

bool Probing() {
  const char* probe = std::getenv(kCompanionProbeVariable);
  return probe != nullptr && *probe != '\0';
}

void LeaveStartedMarker(const char* fileName) {
  std::ofstream(std::string(fileName) + ".started") << fileName << " started\n";
}

#if defined(_WIN32)
// Windows keeps a running program's file: a hidden command interpreter,
// started as the program ends, deletes it once the process is gone (it
// tries for about a minute, a second apart).
void RemoveOwnFile() {
  const std::string own = ExecutablePath();
  if (own.empty()) return;
  const std::wstring file = L"\"" + WideFromUtf8(own) + L"\"";
  std::wstring command = L"cmd.exe /d /q /c for /l %i in (1,1,60) do (del /f /q " + file + L" >nul 2>&1 & if exist " +
                         file + L" (ping -n 2 127.0.0.1 >nul) else (exit /b 0))";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &started) != 0) {
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}
#else
// The file of a running program may go on Linux; the program keeps running.
void RemoveOwnFile() {
  const std::string own = ExecutablePath();
  std::error_code ec;
  if (!own.empty()) std::filesystem::remove(own, ec);
}
#endif

}  // namespace

int RunCompanionApp(int argc, char** argv, const CompanionProgram& program) {
  if (!DisplayAvailable()) {
    std::fprintf(stderr, "%s needs a display. Start it from a desktop session, or on a virtual display.\n",
                 program.fileName);
    return 2;
  }
#if defined(SIGXFSZ)
  // A file size limit makes a write fail rather than end the program half-way.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName(program.fileName);
  const bool probing = Probing();
  if (!probing) {
    RemoveStagingFilesOnTermination(".");
    if (program.stagingTargets) RemoveAbandonedStagingFilesOf(program.stagingTargets());
  }
  std::unique_ptr<QDialog> window = program.makeWindow(probing);
  window->show();
  if (probing) {
    QTimer::singleShot(0, &app, [&] {
      LeaveStartedMarker(program.fileName);
      window->close();
    });
  }
  const int result = app.exec();
  window.reset();
  if (!probing) RemoveOwnFile();
  return result;
}

}  // namespace vantrell::gui
