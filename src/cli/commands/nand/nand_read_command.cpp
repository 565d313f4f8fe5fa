// nand read FIRST COUNT --out FILE: Read Block over COUNT blocks from FIRST,
// saved raw to FILE as the Read NAND Flash view's Save As saves them.
#include <cstdint>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/command_steps.h"
#include "cli/commands/image_option.h"
#include "cli/commands/nand/nand_window_run.h"
#include "cli/host/nand_events.h"
#include "core/nand/blocks/block_range_refusals.h"
#include "core/nand/operations/nand_starts.h"

namespace vantrell::cli {
namespace {

// The read's edits take five digits.
constexpr int kReadDigits = 5;

class NandReadCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override {
    image_.Declare(command, true);
    command.add_option("FIRST", first_, "the first block read")->required();
    command.add_option("COUNT", count_, "how many blocks, at least 1")->required();
    command.add_option("--out", out_, "file the blocks are saved to")->type_name("FILE")->required();
  }

  ExitCode Run(CommandContext& context) override {
    for (const auto& [what, number] : {std::pair{"FIRST", first_}, std::pair{"COUNT", count_}}) {
      const std::string refusal = BlockNumberRefusal(what, number, kReadDigits);
      if (!refusal.empty()) return context.Refuse(ExitCode::BadInput, refusal);
    }
    NandWindowRun window(context);
    // The count alone can be checked before the flash is known.
    if (auto stop = window.RefuseAsTheWindow(ReadRangeRefusal(0, count_, INT64_MAX, 0))) return *stop;
    if (!FolderOfFileExists(out_)) return context.Refuse(ExitCode::BadInput, "no folder to save " + out_ + " in");
    if (auto stop = window.Open(*image_.Name(), {{"first", first_}, {"count", count_}, {"out", out_}})) return *stop;
    const NandFlashState flash = window.Flash();
    const std::string refusal = ReadRangeRefusal(first_, count_, flash.totalBlockCount, flash.blockSize);
    if (auto stop = window.RefuseAsTheWindow(refusal)) return *stop;

    auto view = std::make_shared<NandEvents>(context.events);
    view->SetEdit(NandEdit::ReadStart, std::to_string(first_));
    view->SetEdit(NandEdit::ReadCount, std::to_string(count_));
    view->SaveReadBlocksTo(out_);
    const auto ran = window.Run(*view, [&](NandSession& session) { return StartNandReadBlock(session, view); });
    if (const ExitCode* stop = std::get_if<ExitCode>(&ran)) return *stop;
    const OperationEnd& end = std::get<OperationEnd>(ran);
    const bool finished = end.code == LinkResult::Finished;
    if (finished && view->ReadBlocksSaved() != ReadBlocksSave::Saved) {
      return context.Refuse(ExitCode::BadInput, "the blocks read could not be saved to " + out_);
    }
    Event fields{{"first", first_}, {"count", count_}};
    if (finished) fields["out"] = out_;
    return window.Finish(end, fields);
  }

 private:
  ImageOption image_;
  std::int64_t first_ = 0;
  std::int64_t count_ = 0;
  std::string out_;
};

const CommandRegistration<NandReadCommand> kNandRead(
    "nand read", "read COUNT blocks from FIRST into a file (Read Block, Save As)");

}  // namespace
}  // namespace vantrell::cli
