// Read Data: reading a range of the MASTER chip back, 62 bytes a packet.
#include <algorithm>
#include <cstring>

#include "core/link/log_markers.h"
#include "core/operation/operation_account.h"
#include "core/operation/operation_channel.h"
#include "core/operation/progress_bar_view.h"
#include "core/program/chip/chip_commands.h"
#include "core/program/chip/chip_replies.h"
#include "core/program/chip/chip_requests.h"
#include "core/operation/quarter_marks.h"

namespace vantrell {

namespace req = chip_request;

namespace {

constexpr const char* kReadDataName = "Read Data";
constexpr std::uint64_t kFullBar = 100;

}  // namespace

LinkResult ChipCommands::ReadData(std::uint32_t address, std::span<std::uint8_t> buffer, ChipStatus& status,
                                  ProgressBarView& progress, OperationAccount* account) {
  // A read of nothing has no packet to wait for; the caller asked for no read.
  if (buffer.empty() || buffer.size() > UINT32_MAX) return LinkResult::CommError;
  const auto length = static_cast<std::uint32_t>(buffer.size());

  status.fill(0);
  channel_.LogText(StartMarker(kReadDataName));
  channel_.LogText("\t ▶ Read Enable\r\n");
  if (const LinkResult r = StatusExchange(req::Bare(req::kReadEnable), status); r != LinkResult::Success) return r;

  channel_.LogText("\t ▶ Read Data\r\n");
  channel_.Log("\t\tRead Address = 0x%04X\r\n", address);
  channel_.Log("\t\tRead Length = %d\r\n", static_cast<int>(length));
  ReplyPacket reply;
  if (const LinkResult r = channel_.Exchange(req::WithAddressAndLength(req::kReadRange, address, length), reply);
      r != LinkResult::Success) {
    return r;
  }
  if (!ReadRangeAccepted(reply)) return LinkResult::CommError;

  channel_.Log("☞ Master Chip Read Start = 0x%x\r\n", address);
  channel_.Log("☞ Master Chip Read Length = %d [byte]\r\n", static_cast<int>(length));
  if (const LinkResult r = ReadDataPackets(buffer, progress, account); r != LinkResult::Success) return r;

  channel_.LogText("\t ▶ Read Disable\r\n");
  if (const LinkResult r = StatusExchange(req::Bare(req::kReadDisable), status); r != LinkResult::Success) return r;
  channel_.LogText(EndMarker(CommandFamily::Chip, kReadDataName));
  return LinkResult::Success;
}

LinkResult ChipCommands::ReadDataPackets(std::span<std::uint8_t> buffer, ProgressBarView& progress,
                                         OperationAccount* account) {
  const std::uint64_t length = buffer.size();
  const std::uint64_t packetsExpected = length / kMaxPayload + (length % kMaxPayload != 0 ? 1 : 0);
  if (!channel_.Abandoned()) {
    progress.SetRange(0, static_cast<int>(kFullBar));
    progress.SetPosition(0);
    progress.SetShowPercentage(true);
  }
  QuarterMarks marks;
  std::uint64_t received = 0;
  std::uint64_t packets = 0;
  for (;;) {
    ReplyPacket reply;
    if (const LinkResult r = channel_.Exchange(req::Bare(req::kReadDataNext), reply); r != LinkResult::Success) {
      return r;
    }
    // A packet that claims more than 62 bytes, more than arrived, or more than
    // the range still holds is refused before anything is copied.
    const DataPacket packet = ParseDataPacket(reply, static_cast<std::uint32_t>(length - received));
    if (packet.result != LinkResult::Success) return packet.result;
    std::copy(packet.data.begin(), packet.data.end(), buffer.begin() + static_cast<std::ptrdiff_t>(received));
    received += packet.data.size();
    ++packets;
    if (account && !channel_.Abandoned()) account->StageProgress(received);
    // The closing empty packet of a range that fills whole packets would count
    // past 100 %; the bar stops at full.
    const std::uint64_t percent = std::min(kFullBar, kFullBar * packets / packetsExpected);
    if (marks.Reached(percent) && !channel_.Abandoned()) progress.SetPosition(static_cast<int>(percent));
    if (packet.data.size() < kMaxPayload) break;
  }
  return received == length ? LinkResult::Success : LinkResult::CommError;
}

}  // namespace vantrell
