// nand erase FIRST LAST: the Erase button over a range of blocks, after its
// question (--yes answers it). Bad blocks in the range are listed and left.
#include <cstdint>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/image_option.h"
#include "cli/commands/nand/nand_window_run.h"
#include "cli/host/nand_events.h"
#include "core/nand/blocks/block_range_refusals.h"
#include "core/nand/operations/nand_starts.h"

namespace vantrell::cli {
namespace {

// The erase range's edits take four digits.
constexpr int kEraseDigits = 4;

class NandEraseCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override {
    image_.Declare(command, true);
    command.add_option("FIRST", first_, "the range's first block")->required();
    command.add_option("LAST", last_, "the range's last block (included)")->required();
  }

  ExitCode Run(CommandContext& context) override {
    for (const auto& [what, block] : {std::pair{"FIRST", first_}, std::pair{"LAST", last_}}) {
      const std::string refusal = BlockNumberRefusal(what, block, kEraseDigits);
      if (!refusal.empty()) return context.Refuse(ExitCode::BadInput, refusal);
    }
    NandWindowRun window(context);
    // The order alone can be checked before the flash is known.
    if (auto stop = window.RefuseAsTheWindow(EraseRangeRefusal(first_, last_, INT64_MAX))) return *stop;
    if (auto stop = RefuseUnconfirmable(context, "Erase")) return *stop;
    if (auto stop = window.Open(*image_.Name(), {{"first", first_}, {"last", last_}})) return *stop;
    const std::int64_t blocks = window.Flash().totalBlockCount;
    if (auto stop = window.RefuseAsTheWindow(EraseRangeRefusal(first_, last_, blocks))) return *stop;

    auto view = std::make_shared<NandEvents>(context.events);
    view->SetEdit(NandEdit::EraseFirst, std::to_string(first_));
    view->SetEdit(NandEdit::EraseLast, std::to_string(last_));
    const auto ran = window.Run(*view, [&](NandSession& session) { return StartNandErase(session, view); });
    if (const ExitCode* stop = std::get_if<ExitCode>(&ran)) return *stop;
    return window.Finish(std::get<OperationEnd>(ran), {{"first", first_}, {"last", last_}});
  }

 private:
  ImageOption image_;
  std::int64_t first_ = 0;
  std::int64_t last_ = 0;
};

const CommandRegistration<NandEraseCommand> kNandErase("nand erase", "erase the blocks FIRST to LAST (Erase)");

}  // namespace
}  // namespace vantrell::cli
