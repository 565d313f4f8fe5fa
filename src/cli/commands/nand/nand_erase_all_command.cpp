// nand erase-all: the Erase All button, after its question (--yes answers
// it): every block, then the bad block count and FAT start block read anew.
#include <memory>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/image_option.h"
#include "cli/commands/nand/nand_window_run.h"
#include "cli/host/nand_events.h"
#include "core/nand/operations/nand_starts.h"

namespace vantrell::cli {
namespace {

class NandEraseAllCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, true); }

  ExitCode Run(CommandContext& context) override {
    if (auto stop = RefuseUnconfirmable(context, "Erase All")) return *stop;
    NandWindowRun window(context);
    if (auto stop = window.Open(*image_.Name(), Event::object())) return *stop;
    auto view = std::make_shared<NandEvents>(context.events);
    const auto ran = window.Run(*view, [&](NandSession& session) { return StartNandEraseAll(session, view); });
    if (const ExitCode* stop = std::get_if<ExitCode>(&ran)) return *stop;
    // The flash as Erase All read it back: the bad blocks it met, the FAT start block.
    return window.Finish(std::get<OperationEnd>(ran), {{"flash", window.FlashFields()}});
  }

 private:
  ImageOption image_;
};

const CommandRegistration<NandEraseAllCommand> kNandEraseAll("nand erase-all", "erase every block (Erase All)");

}  // namespace
}  // namespace vantrell::cli
