// blank-check: the Blank Check button: the whole flash of every socket.
#include "cli/app/command.h"
#include "cli/commands/chip_run.h"
#include "cli/commands/image_option.h"

namespace vantrell::cli {
namespace {

class BlankCheckCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, true); }

  ExitCode Run(CommandContext& context) override {
    ChipRunPlan plan;
    plan.imageName = *image_.Name();
    plan.options = RunOptions::BlankCheckOnly();
    return RunChipCommand(context, plan);
  }

 private:
  ImageOption image_;
};

const CommandRegistration<BlankCheckCommand> kBlankCheck("blank-check",
                                                         "check that the whole flash of every socket is erased");

}  // namespace
}  // namespace vantrell::cli
