#include "cli/app/command_context.h"

#include "cli/host/cli_host.h"
#include "cli/output/terminal_text.h"

namespace vantrell::cli {

CommandContext::CommandContext(CliEnvironment& environment, const GlobalOptions& globalOptions, EventOutput& output,
                               std::string name)
    : env(environment), options(globalOptions), events(output), command(std::move(name)) {}

CommandContext::~CommandContext() = default;

ExitCode CommandContext::Finish(ExitCode code, const Event& fields) {
  Event event = MakeEvent("result");
  event["command"] = command;
  event["exit"] = ToInt(code);
  for (const auto& [key, value] : fields.items()) event[key] = value;
  events.Emit(event);
  return code;
}

ExitCode CommandContext::Refuse(ExitCode code, const std::string& message) {
  env.err << "vantrell-cli " << command << ": " << VisibleControls(message) << '\n' << std::flush;
  if (options.json) Finish(code, Event{{"error", message}});
  return code;
}

void CommandContext::Start(const Event& fields) {
  Event event = MakeEvent("start");
  event["command"] = command;
  for (const auto& [key, value] : fields.items()) event[key] = value;
  events.Emit(event);
}

CliHost& CommandContext::Host() {
  if (!host_) host_ = std::make_unique<CliHost>(env, events, options);
  return *host_;
}

}  // namespace vantrell::cli
