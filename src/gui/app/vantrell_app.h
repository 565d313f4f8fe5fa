#pragma once
namespace vantrell::gui {

// The application: one instance per user, the main window run modally.
// Returns the process exit code.
int RunVantrellApp(int argc, char** argv);

}  // namespace vantrell::gui
