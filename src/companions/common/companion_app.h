#pragma once
// What both companion programs do around their window: they need a
// display, take no command line, and remove their own file when they end.
// Probed (see kCompanionProbeVariable), a companion keeps its file.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

namespace vantrell::gui {

struct CompanionProgram {
  const char* fileName;  // as the main program writes it out
  // Makes the window; probing is true when the program must do no work.
  std::function<std::unique_ptr<QDialog>(bool probing)> makeWindow;
  // The files the companion replaces, whose abandoned new versions it
  // removes when it starts.
  std::function<std::vector<std::string>()> stagingTargets;
};

int RunCompanionApp(int argc, char** argv, const CompanionProgram& program);

}  // namespace vantrell::gui
