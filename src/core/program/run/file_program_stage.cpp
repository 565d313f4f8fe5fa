// The Program stage of a file: the first byte travels with the start
// address, the rest follows in 62-byte packets and one shorter last packet.
#include <array>

#include "core/link/log_markers.h"
#include "core/program/run/download_run.h"
#include "core/program/run/file_stages.h"
#include "core/operation/quarter_marks.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr const char* kProgrammingName = "Programming";
constexpr std::uint64_t kChunk = 62;

ByteCount Written(std::uint64_t written, std::uint64_t size) { return {"Write", written, size}; }

}  // namespace

RunEnd FileStages::Program(const FileTarget& file) {
  if (file.size == 0) return PassEmptyStage(file, weights_.program, weights_.erase, "Program Complete");
  run_.view->UpdateFileProgress(file.index, 0);
  run_.chip.channel.LogText(StartMarker(kProgrammingName));

  ChipStatus status{};
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.ProgramEnable(status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Program Enable", true)) return LinkResult::Reported;

  std::uint8_t firstByte = 0;
  if (!ReadChunk({&firstByte, 1})) return FailedRead("");
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.AaiAutoAddress(file.address, firstByte, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Auto Addr Prog", true)) return LinkResult::Reported;
  std::uint64_t written = 1;
  run_.view->SetByteProgress(Written(written, file.size));

  if (RunEnd end = ProgramPackets(file, written)) return end;

  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.ProgramDisable(status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Program Disable", true)) return LinkResult::Reported;
  completionLabel_ = "Program Complete";
  run_.chip.channel.LogText(EndMarker(CommandFamily::Chip, kProgrammingName));
  return kGoOn;
}

RunEnd FileStages::ProgramPackets(const FileTarget& file, std::uint64_t& written) {
  const std::uint64_t chunks = (file.size - 1) / kChunk;
  const std::uint64_t rest = (file.size - 1) % kChunk;
  std::array<std::uint8_t, kChunk> chunk{};
  ChipStatus status{};
  QuarterMarks marks;

  for (std::uint64_t j = 0; j < chunks; ++j) {
    if (!ReadChunk(chunk)) {
      return FailedRead(FormatText("Failed to read selected file! Write -> loopcnt = %d/%d\r\n", static_cast<int>(j),
                                   static_cast<int>(chunks)));
    }
    if (RunEnd end = EndUnlessSuccess(run_.chip.commands.AutoProgram(chunk, status))) return end;
    const bool lastPacket = rest == 0 && j + 1 == chunks;
    if (!run_.checks.CheckChipStatus(0, status, "Auto Prog", lastPacket)) return LinkResult::Reported;
    written += kChunk;
    const std::uint64_t percent = 100 * written / file.size;
    if (marks.Reached(percent)) {
      ShowProgress(file, percent, TotalPosition(file, weights_.program, written, file.size, weights_.erase));
    }
    run_.view->SetByteProgress(Written(written, file.size));
  }

  if (rest == 0) return kGoOn;
  const std::span<std::uint8_t> tail(chunk.data(), rest);
  if (!ReadChunk(tail)) return FailedRead("Failed to read selected file! <- Write last\r\n");
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.AutoProgram(tail, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Auto Prog", true)) return LinkResult::Reported;
  written += rest;
  ShowProgress(file, 100 * written / file.size,
               TotalPosition(file, weights_.program, written, file.size, weights_.erase));
  run_.view->SetByteProgress(Written(written, file.size));
  return kGoOn;
}

}  // namespace vantrell
