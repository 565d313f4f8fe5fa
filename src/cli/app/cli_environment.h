#pragma once
// What vantrell-cli is given by the process it runs in: where it lives, the
// settings store it shares with the windows, its output streams and
// terminal, Ctrl+C, and the clock runs are timed with. Tests hand in their own.
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "core/app/main_controller.h"
#include "core/operation/run_clock.h"

namespace vantrell {
class SettingsStore;
}

namespace vantrell::cli {

class Interrupt;

struct CliEnvironment {
  // The executable (its log is its path without extension + " Log.txt") and
  // the directory of the driver library, the "Device" images and the
  // windowed program's file with the device list.
  ProgramLocation location;
  SettingsStore& settings;
  std::ostream& out;
  std::ostream& err;
  // Standard output is a terminal: the progress line is rewritten in place.
  bool outIsTerminal = false;
  // Asks the operator a yes/no question on the terminal; nothing when
  // standard input is not a terminal (or the operator pressed Ctrl+C).
  std::function<std::optional<bool>(const std::string& question)> askOperator;
  Interrupt& interrupt;
  SecondsClock clock = SystemSeconds;
};

// Parses the arguments and runs the command; returns the process's exit code.
int RunCli(int argc, const char* const* argv, CliEnvironment& env);

}  // namespace vantrell::cli
