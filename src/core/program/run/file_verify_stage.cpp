// The Verify stage of a file: the whole file is sent again for the writer to
// compare, and each socket's checksum is compared with the file's.
#include <array>

#include "core/link/log_markers.h"
#include "core/program/run/download_run.h"
#include "core/program/run/file_stages.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr const char* kVerifyName = "Program Verify";

}  // namespace

RunEnd FileStages::Verify(const FileTarget& file) {
  run_.view->StageEntered({OperationStage::Verify, file.index, file.size, StageUnit::Byte});
  // An empty file is verified too: the writer compares nothing and still
  // reports each socket's checksum of the empty range.
  run_.view->UpdateFileProgress(file.index, 0);
  run_.chip.channel.LogText(StartMarker(kVerifyName));

  ChipStatus status{};
  const auto size32 = static_cast<std::uint32_t>(file.size);
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.VerifySetAddress(file.address, size32, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Verify Set Addr", true)) return LinkResult::Reported;

  if (run_.Abandoned() || !run_.file.Rewind()) {
    return FailedRead(FormatText("Failed to read selected file! Verify -> loopcnt = %d/%d\r\n", 0,
                                 static_cast<int>(file.size / kPacketBytes)));
  }
  const PacketStage stage{"Verify", "Verify Data", &ChipCommands::VerifyData, weights_.verify,
                          weights_.program + weights_.erase};
  std::uint64_t verified = 0;
  if (RunEnd end = SendInPackets(file, stage, verified)) return end;
  if (file.size == 0) run_.view->StageProgress(0);
  if (RunEnd end = CompareChecksums(file)) return end;

  completionLabel_ = "Verify Complete";
  run_.chip.channel.LogText("\r\nEND(☆). <Program Verify> Process\r\n");
  return kGoOn;
}

RunEnd FileStages::CompareChecksums(const FileTarget& file) {
  SocketChecksums checksums{};
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.VerifyEnd(checksums))) return end;
  if (!run_.view->IsCheckSumChecked()) return kGoOn;

  SocketTexts texts;
  std::array<std::uint8_t, kMaxSockets> mismatch{};
  for (std::size_t i = 0; i < run_.board.SocketCount(); ++i) {
    mismatch[i] = checksums[i] != file.expectedChecksum ? 0xFF : 0;
    texts[i] = FormatText("(%08X)", checksums[i]);
  }
  const ChecksumComparison compared{checksums, file.expectedChecksum};
  if (!run_.checks.CheckChipChecksums(texts, mismatch, "CheckSum", true, &compared)) return LinkResult::Reported;
  return kGoOn;
}

}  // namespace vantrell
