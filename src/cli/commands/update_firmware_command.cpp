// update-firmware: RUN's firmware update. When the writer runs other
// firmware than the image, RUN's question is asked (--yes answers it) and
// the image is written into the writer and verified.
#include <chrono>
#include <cmath>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "cli/commands/command_steps.h"
#include "cli/commands/image_option.h"
#include "cli/host/cli_host.h"
#include "cli/host/writer_facts.h"

namespace vantrell::cli {
namespace {

class UpdateFirmwareCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, true); }

  ExitCode Run(CommandContext& context) override {
    if (auto stop = StartWithImage(context, image_.Name())) return *stop;
    CliHost& host = context.Host();
    const std::size_t bytes = host.Controller().Images().Image().size();
    context.Start(ImageFields(host));
    std::variant<RunCheck, ExitCode> compared = CompareWriter(context);
    if (const ExitCode* stop = std::get_if<ExitCode>(&compared)) return *stop;
    RunCheck& check = std::get<RunCheck>(compared);
    Event fields = ComparisonFields(check);
    fields["updated"] = false;
    if (check.step == RunStep::OpenWindow) return context.Finish(ExitCode::AllPassed, fields);

    const CliHost::Acted acted = host.Act(std::move(check), false);
    if (acted.interrupted || context.env.interrupt.Raised()) return context.Finish(ExitCode::Interrupted);
    if (acted.outcome == RunOutcome::Refused) {
      return context.Refuse(ExitCode::BadInput, "the image's device is not registered");
    }
    if (acted.outcome != RunOutcome::UpdateStarted) {
      return context.Refuse(ExitCode::NeedsConfirmation, "the update needs a Yes: add --yes");
    }
    fields["updated"] = acted.updated;
    fields["elapsed"] = std::round(acted.updateSeconds * 1000) / 1000;
    fields["bytes"] = bytes;
    return context.Finish(acted.updated ? ExitCode::AllPassed : ExitCode::LinkError, fields);
  }

 private:
  ImageOption image_;
};

const CommandRegistration<UpdateFirmwareCommand> kUpdateFirmware(
    "update-firmware", "write the image into the writer when it runs other firmware (RUN's update)");

}  // namespace
}  // namespace vantrell::cli
