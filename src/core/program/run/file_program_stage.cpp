// The Program stage of a file: the first byte travels with the start
// address, the rest follows in packets.
#include "core/link/log_markers.h"
#include "core/program/run/download_run.h"
#include "core/program/run/file_stages.h"

namespace vantrell {
namespace {

constexpr const char* kProgrammingName = "Programming";

}  // namespace

RunEnd FileStages::Program(const FileTarget& file) {
  run_.view->StageEntered({OperationStage::Program, file.index, file.size, StageUnit::Byte});
  if (file.size == 0) return PassEmptyStage(file, weights_.program, weights_.erase, "Program Complete");
  run_.view->UpdateFileProgress(file.index, 0);
  run_.chip.channel.LogText(StartMarker(kProgrammingName));

  ChipStatus status{};
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.ProgramEnable(status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Program Enable", true)) return LinkResult::Reported;

  const PacketStage stage{"Write", "Auto Prog", &ChipCommands::AutoProgram, weights_.program, weights_.erase};
  std::uint8_t firstByte = 0;
  if (!ReadChunk({&firstByte, 1})) return FailedRead("");
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.AaiAutoAddress(file.address, firstByte, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Auto Addr Prog", true)) return LinkResult::Reported;
  std::uint64_t written = 1;
  ShowBytes(file, stage, written);

  if (RunEnd end = SendInPackets(file, stage, written)) return end;

  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.ProgramDisable(status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Program Disable", true)) return LinkResult::Reported;
  completionLabel_ = "Program Complete";
  run_.chip.channel.LogText(EndMarker(CommandFamily::Chip, kProgrammingName));
  return kGoOn;
}

}  // namespace vantrell
