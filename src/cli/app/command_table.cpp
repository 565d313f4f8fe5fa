#include "cli/app/command_table.h"

#include <CLI/CLI.hpp>

namespace vantrell::cli {
namespace {

constexpr const char* kSeeExitCodes = "The exit codes are listed by vantrell-cli --help.";

CLI::App& AddSubcommand(CLI::App& parent, GlobalOptions& options, const std::string& name, const std::string& summary) {
  CLI::App& sub = *parent.add_subcommand(name, summary);
  DeclareSharedOptions(sub, options);
  sub.footer(kSeeExitCodes);
  return sub;
}

}  // namespace

void DeclareSharedOptions(CLI::App& app, GlobalOptions& options) {
  app.add_flag("--json", options.json, "JSON Lines events on standard output");
  app.add_flag("--json-log", options.jsonLog, "with --json, every log line as a \"log\" event as well");
  app.add_flag("-y,--yes", options.yes, "answer Yes to every question the windows would ask");
}

CommandTable::CommandTable(CLI::App& program, GlobalOptions& options) {
  for (const CommandEntry& entry : RegisteredCommands()) {
    const std::string name = entry.name;
    const std::size_t blank = name.find(' ');
    const bool grouped = blank != std::string::npos;
    CLI::App& parent = grouped ? GroupApp(program, options, name.substr(0, blank)) : program;
    CLI::App& app = AddSubcommand(parent, options, grouped ? name.substr(blank + 1) : name, entry.summary);
    Row row{name, &app, entry.make()};
    row.command->Declare(app);
    commands_.push_back(std::move(row));
  }
}

CommandTable::~CommandTable() = default;

CLI::App& CommandTable::GroupApp(CLI::App& program, GlobalOptions& options, const std::string& group) {
  for (const auto& [name, app] : groups_) {
    if (name == group) return *app;
  }
  CLI::App& app = AddSubcommand(program, options, group, GroupSummary(group));
  app.require_subcommand(0, 1);
  groups_.emplace_back(group, &app);
  return app;
}

CommandTable::Chosen CommandTable::Parsed() const {
  for (const Row& row : commands_) {
    if (row.app->parsed()) return {row.name, row.command.get()};
  }
  return {};
}

std::string CommandTable::HelpSoFar(const CLI::App& program) const {
  for (const auto& [name, app] : groups_) {
    if (app->parsed()) return app->help();
  }
  return program.help();
}

}  // namespace vantrell::cli
