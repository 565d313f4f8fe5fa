#pragma once
// RUN's way into the download window: the selected device goes to the
// programming session, then the window is shown modally over the main window.
class QWidget;

namespace vantrell {
class MainController;
class Prompt;
class SettingsStore;
}  // namespace vantrell

namespace vantrell::gui {

void OpenDownWindow(MainController& controller, SettingsStore& settings, Prompt& prompt, QWidget* parent);

}  // namespace vantrell::gui
