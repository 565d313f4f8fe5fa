// nand info: the NAND window's Refresh: the flash's name, geometry, bad
// block count and FAT start block number.
#include "cli/app/command.h"
#include "cli/commands/image_option.h"
#include "cli/commands/nand/nand_window_run.h"

namespace vantrell::cli {
namespace {

class NandInfoCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, true); }

  ExitCode Run(CommandContext& context) override {
    NandWindowRun window(context);
    if (auto stop = window.Open(*image_.Name(), Event::object())) return *stop;
    return window.Finish(NandWindowRun::Ended(LinkResult::Finished), {{"flash", window.FlashFields()}});
  }

 private:
  ImageOption image_;
};

const CommandGroupRegistration kNand("nand", "the NAND flash of a NAND device's board (NAND Flash Management)");
const CommandRegistration<NandInfoCommand> kNandInfo(
    "nand info", "the flash's name, block count and size, bad block count and FAT start block (Refresh)");

}  // namespace
}  // namespace vantrell::cli
