#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/app/cli_environment.h"
#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/output/json_lines_output.h"
#include "cli/output/terminal_output.h"

namespace vantrell::cli {
namespace {

constexpr const char* kExitCodes =
    "Exit codes:\n"
    "  0    every served socket passed (or the command did what it was asked)\n"
    "  1    some sockets failed\n"
    "  2    every socket failed\n"
    "  3    writer link error (open, write, read, a reply not the one expected)\n"
    "  4    bad input or usage (missing file, refused job, bad argument)\n"
    "  5    the writer runs other firmware than the image\n"
    "  6    a question needs --yes\n"
    "  7    the writer's driver library could not be bound\n"
    "  130  Ctrl+C: the run was abandoned";

struct Subcommand {
  CLI::App* app;
  CommandEntry entry;
  std::unique_ptr<CliCommand> command;
};

std::unique_ptr<EventOutput> OutputFor(const GlobalOptions& options, CliEnvironment& env) {
  if (options.json) return std::make_unique<JsonLinesOutput>(env.out);
  return std::make_unique<TerminalOutput>(env.out, env.outIsTerminal);
}

}  // namespace

int RunCli(int argc, const char* const* argv, CliEnvironment& env) {
  CLI::App app{"The Vantrell gang programmer from the command line, on the same engine as the windows.",
               "vantrell-cli"};
  GlobalOptions options;
  app.add_flag("--json", options.json, "JSON Lines events on standard output");
  app.add_flag("--json-log", options.jsonLog, "with --json, every log line as a \"log\" event as well");
  app.add_flag("-y,--yes", options.yes, "answer Yes to every question the windows would ask");
  app.require_subcommand(1);
  app.fallthrough();
  app.footer(kExitCodes);

  std::vector<Subcommand> subcommands;
  for (const CommandEntry& entry : RegisteredCommands()) {
    Subcommand sub{app.add_subcommand(entry.name, entry.summary), entry, entry.make()};
    sub.command->Declare(*sub.app);
    subcommands.push_back(std::move(sub));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, env.out, env.err);  // --help
    env.err << "vantrell-cli: " << e.what() << " (see --help)\n" << std::flush;
    return ToInt(ExitCode::BadInput);
  }
  options.json = options.json || options.jsonLog;

  const std::unique_ptr<EventOutput> output = OutputFor(options, env);
  for (Subcommand& sub : subcommands) {
    if (!sub.app->parsed()) continue;
    CommandContext context(env, options, *output, sub.entry.name);
    try {
      return ToInt(sub.command->Run(context));
    } catch (const std::exception& e) {
      return ToInt(context.Refuse(ExitCode::BadInput, e.what()));
    }
  }
  return ToInt(ExitCode::BadInput);
}

}  // namespace vantrell::cli
