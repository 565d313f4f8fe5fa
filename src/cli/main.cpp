// vantrell-cli: every operation of the Vantrell host program from a shell,
// on the same engine as the windows.
#include <iostream>

#include <unistd.h>

#include "cli/app/cli_environment.h"
#include "cli/app/interrupt.h"
#include "cli/app/terminal_question.h"
#include "core/platform/program_path.h"
#include "settings/qt_settings_store.h"

int main(int argc, char** argv) {
  using namespace vantrell;
  cli::Interrupt interrupt;
  cli::InterruptOnCtrlC ctrlC(interrupt);
  // The windows' own store: the counters and Auto Run options are shared.
  QtSettingsStore settings(WindowedProgramSettingsName());
  cli::CliEnvironment env{ProgramLocation{ExecutablePath(), ProgramDirectory()}, settings, std::cout, std::cerr,
                          ::isatty(STDOUT_FILENO) != 0, nullptr, interrupt};
  if (::isatty(STDIN_FILENO) != 0) {
    env.askOperator = [&interrupt](const std::string& question) {
      return cli::AskOnTerminal(question, std::cerr, interrupt);
    };
  }
  return cli::RunCli(argc, argv, env);
}
