#pragma once
// What a running command works with: the process's environment, the options
// every command shares, the event output, and the program started up the
// way the main window starts it (made when a command first asks for it).
#include <memory>
#include <string>

#include "cli/app/cli_environment.h"
#include "cli/app/exit_codes.h"
#include "cli/output/event_output.h"

namespace vantrell::cli {

class CliHost;

struct GlobalOptions {
  bool json = false;     // JSON Lines on standard output
  bool jsonLog = false;  // and every log line as a "log" event (implies json)
  bool yes = false;      // every question the windows would ask is answered Yes
};

class CommandContext {
 public:
  CommandContext(CliEnvironment& env, const GlobalOptions& options, EventOutput& events, std::string command);
  ~CommandContext();

  CliEnvironment& env;
  const GlobalOptions& options;
  EventOutput& events;
  const std::string command;

  // The result event: {"command": ..., "exit": ...} and fields; returns code.
  ExitCode Finish(ExitCode code, const Event& fields = Event::object());
  // A one-line error on standard error (and, with --json, the result event
  // with it as "error"); returns code.
  ExitCode Refuse(ExitCode code, const std::string& message);
  // The start event with the command's fields.
  void Start(const Event& fields);

  CliHost& Host();

 private:
  std::unique_ptr<CliHost> host_;
};

}  // namespace vantrell::cli
