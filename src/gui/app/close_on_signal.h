#pragma once
// A desktop session that ends (logout, shutdown), a service manager or a
// Ctrl+C in the terminal the program was started from asks it to end with a
// signal; on Windows the desktop closes the program's windows or ends the
// session. Either way the request is handed to the program's end, which
// closes what is open the way the operator would. Without this the process
// would die with its settings unsaved, or a start-up box would swallow the
// request.
#include <QObject>

class QSocketNotifier;

namespace vantrell::gui {

class ProgramEnd;

class CloseOnSignal : public QObject {
  Q_OBJECT
 public:
  // Handles SIGTERM, SIGINT and SIGHUP (Windows: the close requests that
  // reach start-up) for as long as it lives (one at a time).
  explicit CloseOnSignal(ProgramEnd& end);
  ~CloseOnSignal() override;

 private:
  ProgramEnd& end_;
  QSocketNotifier* notifier_ = nullptr;
#if defined(_WIN32)
  struct WindowsRequests;
  WindowsRequests* windowsRequests_ = nullptr;
#endif
};

}  // namespace vantrell::gui
