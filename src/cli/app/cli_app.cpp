#include <exception>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/app/cli_environment.h"
#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/app/command_table.h"
#include "cli/app/exit_codes.h"
#include "cli/output/json_lines_output.h"
#include "cli/output/terminal_output.h"
#include "cli/output/terminal_text.h"

namespace vantrell::cli {
namespace {

std::unique_ptr<EventOutput> OutputFor(const GlobalOptions& options, CliEnvironment& env) {
  if (options.json) return std::make_unique<JsonLinesOutput>(env.out);
  return std::make_unique<TerminalOutput>(env.out, env.outIsTerminal);
}

}  // namespace

int RunCli(int argc, const char* const* argv, CliEnvironment& env) {
  CLI::App app{"The Vantrell gang programmer from the command line, on the same engine as the windows.",
               "vantrell-cli"};
  GlobalOptions options;
  DeclareSharedOptions(app, options);
  app.require_subcommand(0, 1);
  app.fallthrough();
  app.footer(ExitCodeTable());
  const CommandTable commands(app, options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, env.out, env.err);  // --help
    env.err << "vantrell-cli: " << VisibleControls(e.what()) << " (see --help)\n" << std::flush;
    return ToInt(ExitCode::BadInput);
  }
  const CommandTable::Chosen chosen = commands.Parsed();
  if (chosen.command == nullptr) {
    env.err << "vantrell-cli: name a command\n" << commands.HelpSoFar(app) << std::flush;
    return ToInt(ExitCode::BadInput);
  }
  options.json = options.json || options.jsonLog;

  const std::unique_ptr<EventOutput> output = OutputFor(options, env);
  CommandContext context(env, options, *output, chosen.name);
  try {
    return ToInt(chosen.command->Run(context));
  } catch (const std::exception& e) {
    return ToInt(context.Refuse(ExitCode::BadInput, e.what()));
  }
}

}  // namespace vantrell::cli
