// erase-all: the Erase All button: every sector of every socket, after the
// question the window asks (--yes answers it).
#include "cli/app/command.h"
#include "cli/commands/chip_run.h"
#include "cli/commands/image_option.h"

namespace vantrell::cli {
namespace {

class EraseAllCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, true); }

  ExitCode Run(CommandContext& context) override {
    ChipRunPlan plan;
    plan.kind = ChipRunKind::EraseAll;
    plan.imageName = *image_.Name();
    return RunChipCommand(context, plan);
  }

 private:
  ImageOption image_;
};

const CommandRegistration<EraseAllCommand> kEraseAll("erase-all", "erase the whole flash of every socket");

}  // namespace
}  // namespace vantrell::cli
