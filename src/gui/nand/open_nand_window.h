#pragma once
// RUN's way into the NAND window: the selected device goes to the NAND
// session, then the window is shown modally over the main window.
class QWidget;

namespace vantrell {
class MainController;
}  // namespace vantrell

namespace vantrell::gui {

void OpenNandWindow(MainController& controller, QWidget* parent);

}  // namespace vantrell::gui
