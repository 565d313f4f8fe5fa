#pragma once
// Closes a dialog the way a window manager's close request does (the close
// box, Alt+F4, the system menu) while it runs modally.
#include <QDialog>
#include <QTimer>
#include <QWindow>

namespace vantrell::test {

inline constexpr int kDialogDidNotEnd = -100;

// Runs dialog modally, asks its platform window to close once the dialog is
// up and returns what exec() returned; kDialogDidNotEnd when the dialog was
// still running after timeoutMs (it is then ended so that the test goes on).
inline int ExecAndCloseFromWindowManager(QDialog& dialog, int timeoutMs = 10000) {
  bool timedOut = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &dialog, [&] {
    timedOut = true;
    dialog.done(kDialogDidNotEnd);
  });
  guard.start(timeoutMs);
  QTimer::singleShot(0, &dialog, [&dialog] { dialog.windowHandle()->close(); });
  const int result = dialog.exec();
  return timedOut ? kDialogDidNotEnd : result;
}

}  // namespace vantrell::test
