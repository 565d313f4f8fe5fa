#pragma once
// What program, blank-check and erase-all share: everything is checked
// before the link opens, RUN brings the writer in line with the image, and
// the download window's run goes as its buttons start it, on the same
// programming session. The counters are read from and written back to the
// settings store the windows use; Ctrl+C abandons the run as closing the
// window does. The sockets' verdicts and the result end the output.
#include <optional>
#include <string>
#include <vector>

#include "cli/app/exit_codes.h"
#include "cli/host/job_arguments.h"
#include "core/program/window/run_options.h"

namespace vantrell::cli {

class CommandContext;

enum class ChipRunKind { Download, EraseAll };

struct ChipRunPlan {
  ChipRunKind kind = ChipRunKind::Download;
  std::string imageName;
  // The stages, as the Blank Check, Program and Verify buttons or the Auto
  // Run Select boxes set them; nothing for Auto, which reads the saved ones.
  std::optional<RunOptions> options;
  bool checkSum = false;  // the CheckSum box
  std::vector<FileArgument> files;
};

ExitCode RunChipCommand(CommandContext& context, const ChipRunPlan& plan);

// "erase-all", "erase", "blank", "program", "verify": the stages selected.
std::vector<std::string> OptionNames(const RunOptions& options);

}  // namespace vantrell::cli
