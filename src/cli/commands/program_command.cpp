// program: the download sequence over data files, with the stages chosen as
// the Auto Run Select boxes choose them, or --auto for the saved ones.
#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/chip_run.h"
#include "cli/commands/image_option.h"

namespace vantrell::cli {
namespace {

class ProgramCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override {
    image_.Declare(command, true);
    command.add_option("files", files_, "a data file and its start sector (0 when not given)")
        ->type_name("FILE[@SECTOR]")
        ->required();
    CLI::Option* autoRun = command.add_flag("--auto", auto_, "the stages Auto runs: the saved Auto Run options");
    CLI::Option* eraseAll = command.add_flag("--erase-all", options_.eraseAll, "erase every sector first");
    CLI::Option* erase = command.add_flag("--erase", options_.erase, "erase the sectors each file covers");
    eraseAll->excludes(erase);
    for (CLI::Option* stage : {eraseAll, erase,
                               command.add_flag("--blank", options_.blank, "blank-check each erased sector"),
                               command.add_flag("--program", options_.program, "program each file"),
                               command.add_flag("--verify", options_.verify, "verify each file")}) {
      stage->excludes(autoRun);
    }
    command.add_flag("--checksum", checkSum_, "compare each socket's checksum with the file's after Verify");
  }

  ExitCode Run(CommandContext& context) override {
    ChipRunPlan plan;
    plan.imageName = *image_.Name();
    plan.checkSum = checkSum_;
    if (!auto_) plan.options = options_;
    if (!auto_ && options_ == RunOptions{}) {
      return context.Refuse(ExitCode::BadInput,
                            "choose the stages (--erase-all, --erase, --blank, --program, --verify) or --auto");
    }
    for (const std::string& text : files_) {
      std::string error;
      const std::optional<FileArgument> file = ParseFileArgument(text, error);
      if (!file) return context.Refuse(ExitCode::BadInput, error);
      plan.files.push_back(*file);
    }
    return RunChipCommand(context, plan);
  }

 private:
  ImageOption image_;
  std::vector<std::string> files_;
  bool auto_ = false;
  RunOptions options_;
  bool checkSum_ = false;
};

const CommandRegistration<ProgramCommand> kProgram(
    "program", "erase, blank-check, program and verify data files on every socket (the download sequence)");

}  // namespace
}  // namespace vantrell::cli
