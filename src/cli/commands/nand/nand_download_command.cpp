// nand download FILE@BLOCK... [--fat N]: the Download button with File1 to
// File3 in the order given, each from its start block, and with --fat the
// FAT start block number written after them. Everything the worker would
// refuse part-way (a file overlapping an earlier one, a file or block past
// the flash) is refused once the Refresh has told the geometry, before
// anything is erased.
#include <filesystem>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/image_option.h"
#include "cli/commands/nand/nand_window_run.h"
#include "cli/host/job_arguments.h"
#include "cli/host/nand_events.h"
#include "cli/output/terminal_output.h"
#include "core/nand/download/nand_block_range.h"
#include "core/nand/download/nand_download.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_starts.h"
#include "core/platform/utf8_path.h"

namespace vantrell::cli {
namespace {

// The start block and FAT start block edits take five digits.
constexpr int kBlockDigits = 5;

struct DownloadFile {
  FileArgument argument;
  std::uint64_t size = 0;
};

class NandDownloadCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override {
    image_.Declare(command, true);
    command.add_option("files", texts_, "File1 to File3 and their start blocks (0 when not given)")
        ->type_name("FILE[@BLOCK]");
    fat_ = command.add_option("--fat", fatBlock_, "write this FAT start block number after the files")
               ->type_name("BLOCK");
  }

  ExitCode Run(CommandContext& context) override {
    if (auto stop = ReadArguments(context)) return *stop;
    NandWindowRun window(context);
    if (auto stop = window.Open(*image_.Name(), StartFields())) return *stop;
    if (auto stop = RefuseLayout(context, window)) return *stop;

    std::vector<std::string> paths(kNandFileCount);
    NandFiles choices;
    NandDownloadChoice choice;
    choice.fatChecked = fat_->count() > 0;
    for (std::size_t k = 0; k < files_.size(); ++k) {
      const std::string& path = files_[k].argument.path;
      choices[k] = NandFileChoice{PathUtf8(Utf8Path(path).filename()), path};
      choice.fileChecked[k] = true;
      choice.startBlocks[k] = files_[k].argument.sector;
      paths[k] = path;
    }
    auto view = std::make_shared<NandEvents>(context.events, paths);
    for (std::size_t k = 0; k < files_.size(); ++k) {
      view->SetEdit(StartBlockEdit(k), std::to_string(files_[k].argument.sector));
    }
    view->SetEdit(NandEdit::FatStart, std::to_string(fatBlock_));
    window.Session().SetFiles(choices);
    const auto ran =
        window.Run(*view, [&](NandSession& session) { return StartNandDownload(session, choice, view); });
    if (const ExitCode* stop = std::get_if<ExitCode>(&ran)) return *stop;
    return window.Finish(std::get<OperationEnd>(ran), StartFields());
  }

 private:
  // The files and numbers as the command line gave them, checked as far as
  // they can be without the flash's geometry.
  std::optional<ExitCode> ReadArguments(CommandContext& context) {
    if (texts_.size() > kNandFileCount) return context.Refuse(ExitCode::BadInput, "at most three files (File1 to File3)");
    if (texts_.empty() && fat_->count() == 0) return context.Refuse(ExitCode::BadInput, "name a file or --fat");
    std::vector<FileArgument> arguments;
    for (const std::string& text : texts_) {
      std::string error;
      const std::optional<FileArgument> file = ParseFileArgument(text, error);
      if (!file) return context.Refuse(ExitCode::BadInput, error);
      const std::string refusal = BlockNumberRefusal(file->path + " start block", file->sector, kBlockDigits);
      if (!refusal.empty()) return context.Refuse(ExitCode::BadInput, refusal);
      arguments.push_back(*file);
    }
    if (const std::string unreadable = UnreadableFile(arguments); !unreadable.empty()) {
      return context.Refuse(ExitCode::BadInput, unreadable);
    }
    for (const FileArgument& argument : arguments) {
      std::error_code error;
      const std::uint64_t size = std::filesystem::file_size(Utf8Path(argument.path), error);
      if (error || size == 0) return context.Refuse(ExitCode::BadInput, argument.path + " is empty");
      files_.push_back({argument, size});
    }
    if (fat_->count() > 0) {
      const std::string refusal = BlockNumberRefusal("--fat", fatBlock_, kBlockDigits);
      if (!refusal.empty()) return context.Refuse(ExitCode::BadInput, refusal);
    }
    return std::nullopt;
  }

  // The files' blocks against each other and the flash, as the worker tests
  // them, with its texts.
  std::optional<ExitCode> RefuseLayout(CommandContext& context, NandWindowRun& window) {
    const NandFlashState flash = window.Flash();
    NandFileRanges ranges;
    for (std::size_t k = 0; k < files_.size(); ++k) {
      const auto range = FileBlockRange(files_[k].argument.sector, files_[k].size, flash.blockSize);
      if (range) {
        if (const auto earlier = OverlappedEarlierFile(k, *range, ranges)) {
          return context.Refuse(ExitCode::BadInput, OneLine(OverlapText(k, *earlier)));
        }
      }
      if (!range || !InsideFlash(*range, flash)) return context.Refuse(ExitCode::BadInput, DoesNotFitText(k));
      ranges[k] = range;
    }
    if (fat_->count() > 0) return window.RefuseBeyondFlash("--fat", fatBlock_);
    return std::nullopt;
  }

  Event StartFields() const {
    Event files = Event::array();
    for (std::size_t k = 0; k < files_.size(); ++k) {
      files.push_back({{"index", k}, {"path", files_[k].argument.path}, {"block", files_[k].argument.sector},
                       {"size", files_[k].size}});
    }
    Event fields = Event::object();
    if (!files.empty()) fields["files"] = files;
    if (fat_->count() > 0) fields["fat"] = fatBlock_;
    return fields;
  }

  ImageOption image_;
  std::vector<std::string> texts_;
  CLI::Option* fat_ = nullptr;
  std::int64_t fatBlock_ = 0;
  std::vector<DownloadFile> files_;
};

const CommandRegistration<NandDownloadCommand> kNandDownload(
    "nand download", "erase and write up to three files from their start blocks, and the FAT start block (Download)");

}  // namespace
}  // namespace vantrell::cli
