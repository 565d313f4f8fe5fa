// read-master: the Read Master Chip window's Read Run, Save As and, with
// --compare, Compare Open and Compare Run, on the MASTER socket's chip.
#include <cctype>
#include <memory>

#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "cli/commands/command_steps.h"
#include "cli/commands/image_option.h"
#include "cli/host/cli_host.h"
#include "cli/host/read_master_events.h"
#include "cli/output/terminal_output.h"
#include "core/app/run_decision.h"
#include "core/master/master_comparison.h"
#include "core/master/master_files.h"
#include "core/master/read_master_session.h"
#include "core/master/read_range_input.h"
#include "core/text/format.h"

namespace vantrell::cli {
namespace {

// Hexadecimal with or without "0x", as the window's address edit takes it,
// but every character must be a digit: a typo is refused, not cut short.
std::optional<std::uint32_t> ParseAddress(const std::string& text) {
  std::string digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.erase(0, 2);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  return static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
}

class ReadMasterCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override {
    image_.Declare(command, true);
    command.add_option("--address", address_, "start address, hexadecimal (0x optional)")
        ->type_name("ADDRESS")
        ->required();
    command.add_option("--length", length_, "bytes to read, at least 1")->type_name("BYTES")->required();
    command.add_option("--out", out_, "file the read data is saved to")->type_name("FILE")->required();
    command.add_option("--compare", compare_, "file the read data is compared with")->type_name("FILE");
  }

  ExitCode Run(CommandContext& context) override {
    const std::optional<std::uint32_t> address = ParseAddress(address_);
    if (!address) return context.Refuse(ExitCode::BadInput, "--address " + address_ + " is not a hexadecimal address");
    if (!FolderOfFileExists(out_)) return context.Refuse(ExitCode::BadInput, "no folder to save " + out_ + " in");
    ComparisonFile comparison;
    if (!compare_.empty()) {
      // The save would overwrite the reference before the comparison.
      if (NameTheSameFile(out_, compare_)) {
        return context.Refuse(ExitCode::BadInput, "--out and --compare name the same file, " + compare_);
      }
      comparison = LoadComparisonFile(compare_);
      if (comparison.result != ComparisonLoad::Loaded) {
        return context.Refuse(ExitCode::BadInput,
                              std::string(ComparisonLoadFailureText(comparison.result)) + " " + compare_);
      }
    }
    if (auto stop = StartWithImage(context, *image_.Name())) return *stop;
    CliHost& host = context.Host();
    if (WindowKindFor(host.Device().name) != DeviceWindowKind::Download) {
      return context.Refuse(ExitCode::BadInput, host.Device().name + " is not an internal-flash device");
    }
    if (auto refusal = ReadLengthRefusal(length_, host.Device())) {
      return context.Refuse(ExitCode::BadInput, OneLine(*refusal));
    }
    Event fields = ImageFields(host);
    fields["address"] = FormatText("0x%08X", *address);
    fields["length"] = length_;
    context.Start(fields);
    if (auto stop = RunUntilDeviceWindow(context, DeviceWindowKind::Download)) return *stop;
    return Read(context, MasterReadRequest{host.Device(), *address, length_}, comparison);
  }

 private:
  ExitCode Read(CommandContext& context, const MasterReadRequest& request, const ComparisonFile& comparison) {
    CliHost& host = context.Host();
    ReadMasterSession& session = *host.Controller().ReadMaster();
    if (context.env.interrupt.Raised()) return context.Finish(ExitCode::Interrupted);
    const auto view = std::make_shared<ReadMasterEvents>(context.events);
    const std::shared_ptr<const MasterBytes> data = session.StartRead(request, view);
    if (!data) return context.Refuse(ExitCode::LinkError, "another operation holds the writer");
    if (!context.env.interrupt.WaitUntil([&] { return !session.IsRunning(); })) {
      host.Abandon();
      session.WaitForWorker();
      return context.Finish(ExitCode::Interrupted);
    }
    session.WaitForWorker();
    OperationEnd end;
    end = view->Account().End().value_or(end);
    Event fields{{"code", LinkResultName(end.code)}};
    if (end.code != LinkResult::Finished) {
      return context.Finish(ExitForChipRun(end.code, 1, 0, !end.linkOpenFailed), fields);
    }
    if (SaveReadData(out_, *data) != ReadDataSave::Saved) {
      return context.Refuse(ExitCode::BadInput, "the read data could not be saved to " + out_);
    }
    fields["out"] = out_;
    fields["bytes"] = data->size();
    if (comparison.result != ComparisonLoad::Loaded) return context.Finish(ExitCode::AllPassed, fields);
    const MasterComparison compared = CompareMasterData(*data, comparison.bytes, request.address);
    // Compare Run's verdict box, as the window shows it.
    host.Prompt().Show(CompareVerdictBox(compared));
    fields["compare"] = {{"file", compare_}, {"same", compared.Same()}, {"differing", compared.differing}};
    if (!compared.Same()) fields["difference"] = FirstDifferenceText(compared);
    return context.Finish(compared.Same() ? ExitCode::AllPassed : ExitCode::AllFailed, fields);
  }

  ImageOption image_;
  std::string address_;
  std::uint32_t length_ = 0;
  std::string out_;
  std::string compare_;
};

const CommandRegistration<ReadMasterCommand> kReadMaster(
    "read-master", "read the MASTER socket's chip into a file and compare it with another (Read Master Chip)");

}  // namespace
}  // namespace vantrell::cli
