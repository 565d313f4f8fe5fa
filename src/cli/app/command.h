#pragma once
// A command of vantrell-cli. Each command lives in one file of cli/commands
// and registers itself there with a CommandRegistration; the program offers
// every registered command as a subcommand, with its own --help.
#include <memory>
#include <vector>

#include "cli/app/exit_codes.h"

namespace CLI {
class App;
}

namespace vantrell::cli {

class CommandContext;

class CliCommand {
 public:
  virtual ~CliCommand() = default;
  // Declares the command's own arguments and options on its subcommand.
  virtual void Declare(CLI::App& command) = 0;
  // Runs the command with what was parsed into it.
  virtual ExitCode Run(CommandContext& context) = 0;
};

struct CommandEntry {
  const char* name;
  const char* summary;
  std::unique_ptr<CliCommand> (*make)();
};

void RegisterCommand(const CommandEntry& entry);
// Every registered command, in the order of their names.
std::vector<CommandEntry> RegisteredCommands();

// One static object per command file:
//   const CommandRegistration<IdentifyCommand> kIdentify("identify", "what the writer runs ...");
template <typename Command>
struct CommandRegistration {
  CommandRegistration(const char* name, const char* summary) {
    RegisterCommand({name, summary, []() -> std::unique_ptr<CliCommand> { return std::make_unique<Command>(); }});
  }
};

}  // namespace vantrell::cli
