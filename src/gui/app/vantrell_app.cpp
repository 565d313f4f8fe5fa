#include "gui/app/vantrell_app.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QGuiApplication>

#include "gui/app/close_on_signal.h"
#include "gui/app/main_window.h"
#include "gui/app/single_instance.h"
#include "settings/qt_settings_store.h"

namespace vantrell::gui {
namespace {

#if !defined(_WIN32)
// Whether the program has a display to show on (a Windows desktop always has).
bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;  // offscreen, vnc, ... chosen on purpose
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}
#endif

}  // namespace

int RunVantrellApp(int argc, char** argv) {
#if !defined(_WIN32)
  if (!DisplayAvailable()) {
    std::fprintf(stderr,
                 "Vantrell needs a display. Start it from a desktop session, or on a virtual display:\n"
                 "  xvfb-run -a %s\n",
                 argc > 0 ? argv[0] : "Vantrell");
    return 2;
  }
#endif
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QString::fromUtf8(kSettingsKey));
  QApplication::setApplicationName(ApplicationName());

  CVantrellDlg window(nullptr, nullptr);
  // Before the instance lock exists: whoever sees the lock may ask the
  // program to end and finds it ready to close properly.
  CloseOnSignal closeOnSignal(window.End());
  SingleInstance instance(InstancePlace(ApplicationName()));
  if (!instance.IsFirst()) return 0;

  QObject::connect(&instance, &SingleInstance::AlertRequested, &window, [&window] { BringToFront(window); });
  const bool startedUp = window.StartUp();
  // Asked to end during start-up: ended as asked, which is no failure.
  if (window.End().CutStartUpShort()) return 0;
  // When the driver cannot be bound the window closes once start-up has run.
  if (!startedUp) return 1;
  window.exec();
  return 0;
}

}  // namespace vantrell::gui
