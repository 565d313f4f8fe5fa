// identify: what firmware the writer runs against the selected image, and
// what RUN would do about it. Asks nothing and changes nothing.
#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/command_steps.h"
#include "cli/commands/image_option.h"
#include "cli/host/writer_facts.h"

namespace vantrell::cli {
namespace {

class IdentifyCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, false); }

  ExitCode Run(CommandContext& context) override {
    if (auto stop = StartWithImage(context, image_.Name())) return *stop;
    context.Start(ImageFields(context.Host()));
    const std::variant<RunCheck, ExitCode> compared = CompareWriter(context);
    if (const ExitCode* stop = std::get_if<ExitCode>(&compared)) return *stop;
    const RunCheck& check = std::get<RunCheck>(compared);
    return context.Finish(ExitFor(check.step), ComparisonFields(check));
  }

 private:
  static ExitCode ExitFor(RunStep step) {
    if (step == RunStep::OpenWindow) return ExitCode::AllPassed;
    return step == RunStep::RefuseUnregisteredImage ? ExitCode::BadInput : ExitCode::OtherFirmware;
  }

  ImageOption image_;
};

const CommandRegistration<IdentifyCommand> kIdentify(
    "identify", "what firmware the writer runs against the image, and what RUN would do");

}  // namespace
}  // namespace vantrell::cli
