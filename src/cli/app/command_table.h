#pragma once
// The registered commands as subcommands of the program: a group's commands
// under the group's own subcommand ("nand info"), every command and group
// with its own --help listing the options every command takes.
#include <memory>
#include <string>
#include <vector>

#include "cli/app/command.h"
#include "cli/app/command_context.h"

namespace CLI {
class App;
}

namespace vantrell::cli {

// --json, --json-log and --yes, on the program and on every command, so that
// they may come before or after the command's name and show in its --help.
void DeclareSharedOptions(CLI::App& app, GlobalOptions& options);

class CommandTable {
 public:
  CommandTable(CLI::App& program, GlobalOptions& options);
  ~CommandTable();

  struct Chosen {
    std::string name;
    CliCommand* command = nullptr;
  };
  // The command the parsed arguments named; no command when they named
  // none (or only a group).
  Chosen Parsed() const;
  // The help of what was named so far: the group's, or the program's.
  std::string HelpSoFar(const CLI::App& program) const;

 private:
  struct Row {
    std::string name;
    CLI::App* app = nullptr;
    std::unique_ptr<CliCommand> command;
  };
  CLI::App& GroupApp(CLI::App& program, GlobalOptions& options, const std::string& group);

  std::vector<Row> commands_;
  std::vector<std::pair<std::string, CLI::App*>> groups_;
};

}  // namespace vantrell::cli
