#pragma once
// A desktop session that ends (logout, shutdown) or a Ctrl+C in the terminal
// the program was started from asks it to end with a signal. The program
// then closes as if the operator had used the close box: open dialogs first,
// then the main window, whose close handler writes the settings and closes
// the link and the log. Without this the process would die with its
// settings unsaved.
#include <QObject>

class QSocketNotifier;
class QWidget;

namespace vantrell::gui {

class CloseOnSignal : public QObject {
  Q_OBJECT
 public:
  // Handles SIGTERM, SIGINT and SIGHUP for as long as it lives (one at a time).
  explicit CloseOnSignal(QWidget& mainWindow);
  ~CloseOnSignal() override;

 private:
  void CloseWindows();

  QWidget& mainWindow_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vantrell::gui
