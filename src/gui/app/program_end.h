#pragma once
// One request to end the program from outside (a signal, the desktop's
// close) ends it, whatever box or window is open.
//
// Once the main window runs, the request closes it as the operator would:
// the open dialogs innermost first, then the main window, whose close
// handler stores the settings. While start-up still runs, its boxes open
// one after another before the main window's close handler can do anything,
// so closing the box that is up would only let the next one open. A request
// then is kept instead: the box that is up is closed, every box still to
// come is answered as closed without being shown, start-up stops at its
// next step, and the program ends without storing a half-initialized state.
#include <atomic>

class QWidget;

namespace vantrell::gui {

class ProgramEnd {
 public:
  explicit ProgramEnd(QWidget& mainWindow) : mainWindow_(mainWindow) {}

  // Called on the GUI thread for each request.
  void Request();

  // Bracket the start-up steps.
  void StartUpBegins() { startingUp_ = true; }
  void StartUpFinished() { startingUp_ = false; }
  bool StartingUp() const { return startingUp_; }

  // A request arrived during start-up: the program ends once start-up stops.
  // Read by workers' boxes too, hence atomic.
  bool CutStartUpShort() const { return cutStartUpShort_.load(); }

 private:
  void CloseModalDialogs();

  QWidget& mainWindow_;
  bool startingUp_ = false;
  std::atomic<bool> cutStartUpShort_{false};
};

}  // namespace vantrell::gui
