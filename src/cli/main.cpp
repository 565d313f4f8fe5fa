// vantrell-cli: every operation of the Vantrell host program from a shell,
// on the same engine as the windows.
#include <iostream>

#include "cli/app/cli_environment.h"
#include "cli/app/console.h"
#include "cli/app/interrupt.h"
#include "cli/app/terminal_question.h"
#include "cli/app/utf8_arguments.h"
#include "core/platform/program_path.h"
#include "settings/qt_settings_store.h"

int main(int argc, char** argv) {
  using namespace vantrell;
  const cli::ConsoleText consoleText;
  cli::Interrupt interrupt;
  cli::InterruptOnCtrlC ctrlC(interrupt);
  // The windows' own store: the counters and Auto Run options are shared.
  QtSettingsStore settings(WindowedProgramSettingsName());
  cli::CliEnvironment env{ProgramLocation{ExecutablePath(), ProgramDirectory()}, settings, std::cout, std::cerr,
                          cli::StandardOutputIsTerminal(), nullptr, interrupt};
  if (cli::StandardInputIsTerminal()) {
    env.askOperator = [&interrupt](const std::string& question) {
      return cli::AskOnTerminal(question, std::cerr, interrupt);
    };
  }
  const cli::Utf8Arguments arguments(argc, argv);
  return cli::RunCli(arguments.Count(), arguments.Values(), env);
}
