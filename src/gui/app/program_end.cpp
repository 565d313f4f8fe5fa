#include "gui/app/program_end.h"

#include <QApplication>
#include <QWidget>

namespace vantrell::gui {

void ProgramEnd::Request() {
  if (startingUp_) {
    cutStartUpShort_.store(true);
    // The main window is not closed here: its close handler would let the
    // link and the log go between two start-up steps. The program ends as
    // soon as start-up returns.
    CloseModalDialogs();
    return;
  }
  CloseModalDialogs();
  mainWindow_.close();
}

void ProgramEnd::CloseModalDialogs() {
  // The innermost dialog first, as an operator would close them.
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (modal == &mainWindow_ || !modal->close()) break;
  }
}

}  // namespace vantrell::gui
