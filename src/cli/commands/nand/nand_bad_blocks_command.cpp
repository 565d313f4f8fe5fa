// nand bad-blocks: Refresh, then Read Bad Block: the writer's bad block
// table. The window offers the button only when the flash has bad blocks;
// without any the list is empty and nothing more is asked.
#include <memory>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/image_option.h"
#include "cli/commands/nand/nand_window_run.h"
#include "cli/host/nand_events.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_workers.h"

namespace vantrell::cli {
namespace {

class NandBadBlocksCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { image_.Declare(command, true); }

  ExitCode Run(CommandContext& context) override {
    NandWindowRun window(context);
    if (auto stop = window.Open(*image_.Name(), Event::object())) return *stop;
    if (!window.Flash().hasBadBlocks) {
      return window.Finish(NandWindowRun::Ended(LinkResult::Finished),
                           {{"badBlocks", Event::array()}, {"flash", window.FlashFields()}});
    }
    auto view = std::make_shared<NandEvents>(context.events);
    const auto ran = window.Run(*view, [&](NandSession& session) {
      return session.Start(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly, view);
    });
    if (const ExitCode* stop = std::get_if<ExitCode>(&ran)) return *stop;
    return window.Finish(std::get<OperationEnd>(ran),
                         {{"badBlocks", view->BadBlocks()}, {"flash", window.FlashFields()}});
  }

 private:
  ImageOption image_;
};

const CommandRegistration<NandBadBlocksCommand> kNandBadBlocks("nand bad-blocks",
                                                               "the writer's bad block table (Read Bad Block)");

}  // namespace
}  // namespace vantrell::cli
