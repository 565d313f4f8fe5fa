// The Verify stage of a file: the whole file is sent again for the writer to
// compare, and each socket's checksum is compared with the file's.
#include <array>

#include "core/link/log_markers.h"
#include "core/program/run/download_run.h"
#include "core/program/run/file_stages.h"
#include "core/operation/quarter_marks.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr const char* kVerifyName = "Program Verify";
constexpr std::uint64_t kChunk = 62;

ByteCount Verified(std::uint64_t verified, std::uint64_t size) { return {"Verify", verified, size}; }

}  // namespace

RunEnd FileStages::Verify(const FileTarget& file) {
  // An empty file is verified too: the writer compares nothing and still
  // reports each socket's checksum of the empty range.
  run_.view->UpdateFileProgress(file.index, 0);
  run_.chip.channel.LogText(StartMarker(kVerifyName));

  ChipStatus status{};
  const auto size32 = static_cast<std::uint32_t>(file.size);
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.VerifySetAddress(file.address, size32, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Verify Set Addr", true)) return LinkResult::Reported;

  std::uint64_t verified = 0;
  if (RunEnd end = VerifyPackets(file, verified)) return end;
  if (RunEnd end = CompareChecksums(file)) return end;

  completionLabel_ = "Verify Complete";
  run_.chip.channel.LogText("\r\nEND(☆). <Program Verify> Process\r\n");
  return kGoOn;
}

RunEnd FileStages::VerifyPackets(const FileTarget& file, std::uint64_t& verified) {
  const std::uint64_t chunks = file.size / kChunk;
  const std::uint64_t rest = file.size % kChunk;
  const std::uint32_t weightsBefore = weights_.program + weights_.erase;
  std::array<std::uint8_t, kChunk> chunk{};
  ChipStatus status{};
  QuarterMarks marks;

  if (run_.Abandoned() || !run_.file.Rewind()) {
    return FailedRead(FormatText("Failed to read selected file! Verify -> loopcnt = %d/%d\r\n", 0,
                                 static_cast<int>(chunks)));
  }
  for (std::uint64_t j = 0; j < chunks; ++j) {
    if (!ReadChunk(chunk)) {
      return FailedRead(FormatText("Failed to read selected file! Verify -> loopcnt = %d/%d\r\n", static_cast<int>(j),
                                   static_cast<int>(chunks)));
    }
    if (RunEnd end = EndUnlessSuccess(run_.chip.commands.VerifyData(chunk, status))) return end;
    const bool lastPacket = rest == 0 && j + 1 == chunks;
    if (!run_.checks.CheckChipStatus(0, status, "Verify Data", lastPacket)) return LinkResult::Reported;
    verified += kChunk;
    const std::uint64_t percent = 100 * verified / file.size;
    if (marks.Reached(percent)) {
      ShowProgress(file, percent, TotalPosition(file, weights_.verify, verified, file.size, weightsBefore));
    }
    run_.view->SetByteProgress(Verified(verified, file.size));
  }

  if (rest == 0) return kGoOn;
  const std::span<std::uint8_t> tail(chunk.data(), rest);
  if (!ReadChunk(tail)) return FailedRead("Failed to read selected file! <- Verify last\r\n");
  if (RunEnd end = EndUnlessSuccess(run_.chip.commands.VerifyData(tail, status))) return end;
  if (!run_.checks.CheckChipStatus(0, status, "Verify Data", true)) return LinkResult::Reported;
  verified += rest;
  ShowProgress(file, 100 * verified / file.size,
               TotalPosition(file, weights_.verify, verified, file.size, weightsBefore));
  run_.view->SetByteProgress(Verified(verified, file.size));
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
  if (!run_.checks.CheckChipChecksums(texts, mismatch, "CheckSum", true)) return LinkResult::Reported;
  return kGoOn;
}

}  // namespace vantrell
