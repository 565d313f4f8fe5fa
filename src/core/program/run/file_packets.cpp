// The packets of a file's Program and Verify stages: the bytes go in 62-byte
// packets and one shorter last packet, each answered with every socket's
// status.
#include <array>

#include "core/operation/quarter_marks.h"
#include "core/program/run/download_run.h"
#include "core/program/run/file_stages.h"
#include "core/text/format.h"

namespace vantrell {

RunEnd FileStages::SendInPackets(const FileTarget& file, const PacketStage& stage, std::uint64_t& done) {
  const std::uint64_t left = file.size - done;
  const std::uint64_t packets = left / kPacketBytes;
  const std::uint64_t rest = left % kPacketBytes;
  std::array<std::uint8_t, kPacketBytes> packet{};
  ChipStatus status{};
  QuarterMarks marks;

  for (std::uint64_t j = 0; j < packets; ++j) {
    if (!ReadChunk(packet)) {
      return FailedRead(FormatText("Failed to read selected file! %s -> loopcnt = %d/%d\r\n", stage.name,
                                   static_cast<int>(j), static_cast<int>(packets)));
    }
    if (RunEnd end = EndUnlessSuccess((run_.chip.commands.*stage.send)(packet, status))) return end;
    const bool lastPacket = rest == 0 && j + 1 == packets;
    if (!run_.checks.CheckChipStatus(0, status, stage.checkLabel, lastPacket)) return LinkResult::Reported;
    done += kPacketBytes;
    const std::uint64_t percent = 100 * done / file.size;
    if (marks.Reached(percent)) {
      ShowProgress(file, percent, TotalPosition(file, stage.weight, done, file.size, stage.weightsBefore));
    }
    ShowBytes(file, stage, done);
  }

  if (rest == 0) return kGoOn;
  const std::span<std::uint8_t> tail(packet.data(), rest);
  if (!ReadChunk(tail)) return FailedRead(FormatText("Failed to read selected file! <- %s last\r\n", stage.name));
  if (RunEnd end = EndUnlessSuccess((run_.chip.commands.*stage.send)(tail, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, stage.checkLabel, true)) return LinkResult::Reported;
  done += rest;
  ShowProgress(file, 100 * done / file.size, TotalPosition(file, stage.weight, done, file.size, stage.weightsBefore));
  ShowBytes(file, stage, done);
  return kGoOn;
}

void FileStages::ShowBytes(const FileTarget& file, const PacketStage& stage, std::uint64_t done) {
  run_.view->SetByteProgress(ByteCount{stage.name, done, file.size});
  run_.CountFileBytes(file.index, done);
  run_.view->StageProgress(done);
}

}  // namespace vantrell
