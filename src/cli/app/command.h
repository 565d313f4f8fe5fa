#pragma once
// A command of vantrell-cli. Each command lives in one file of cli/commands
// and registers itself there with a CommandRegistration; the program offers
// every registered command as a subcommand, with its own --help.
#include <memory>
#include <string>
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

// A name with a blank, "nand info", is a command of a group ("nand"): the
// group is a subcommand of its own with its own --help, and the command a
// subcommand of the group.
struct CommandEntry {
  const char* name;
  const char* summary;
  std::unique_ptr<CliCommand> (*make)();
};

struct CommandGroup {
  const char* name;
  const char* summary;
};

void RegisterCommand(const CommandEntry& entry);
void RegisterCommandGroup(const CommandGroup& group);
// Every registered command, in the order of their names.
std::vector<CommandEntry> RegisteredCommands();
// The summary a group was registered with; empty when it was not.
std::string GroupSummary(const std::string& group);

// One static object per command file:
//   const CommandRegistration<IdentifyCommand> kIdentify("identify", "what the writer runs ...");
template <typename Command>
struct CommandRegistration {
  CommandRegistration(const char* name, const char* summary) {
    RegisterCommand({name, summary, []() -> std::unique_ptr<CliCommand> { return std::make_unique<Command>(); }});
  }
};

// One static object per group, beside its commands:
//   const CommandGroupRegistration kNand("nand", "the NAND flash of every socket");
struct CommandGroupRegistration {
  CommandGroupRegistration(const char* name, const char* summary) { RegisterCommandGroup({name, summary}); }
};

}  // namespace vantrell::cli
