#include "core/program/chip/socket_checks.h"

#include "core/operation/operation_channel.h"
#include "core/operation/run_prompt.h"
#include "core/program/chip/chip_commands.h"
#include "core/program/chip/socket_board.h"

namespace vantrell {

bool SocketChecks::CheckChipStatus(std::uint8_t expected, const std::array<std::uint8_t, kMaxSockets>& values,
                                   std::string_view label, bool showOk, SocketOutcome failure) {
  return Check([&](std::size_t i) { return values[i] != expected; }, [&](std::size_t) { return std::string(label); },
               [&](std::size_t i) { return SocketVerdict::Of(i, failure, std::string(label)); }, label, showOk);
}

bool SocketChecks::CheckChipChecksums(const SocketTexts& chipTexts,
                                      const std::array<std::uint8_t, kMaxSockets>& mismatch, std::string_view label,
                                      bool showOk, const ChecksumComparison* checksums) {
  const auto verdictOf = [&](std::size_t i) {
    if (!checksums) return SocketVerdict::Of(i, SocketOutcome::FailedAtStage, std::string(label));
    SocketVerdict verdict = SocketVerdict::Of(i, SocketOutcome::ChecksumMismatch, std::string(label));
    verdict.expected = checksums->expected;
    verdict.actual = checksums->actual[i];
    return verdict;
  };
  return Check([&](std::size_t i) { return mismatch[i] != 0; },
               [&](std::size_t i) { return std::string(label) + chipTexts[i]; }, verdictOf, label, showOk);
}

bool SocketChecks::Check(const std::function<bool(std::size_t)>& fails,
                         const std::function<std::string(std::size_t)>& textOf,
                         const std::function<SocketVerdict(std::size_t)>& verdictOf, std::string_view label,
                         bool showOk) {
  for (std::size_t i = 0; i < board_.SocketCount(); ++i) {
    if (fails(i)) {
      // A socket that failed earlier keeps its first error text.
      if (board_.IsAlive(i)) {
        board_.ShowColour(i, kPackColourFailed);
        board_.ShowLine(i, textOf(i) + kPackError);
        board_.RecordFailure(verdictOf(i));
      }
      board_.Drop(i);
    } else if (board_.IsAlive(i) && showOk) {
      board_.ShowLine(i, textOf(i) + kPackOk);
    }
  }
  return board_.AliveCount() != 0 || ReportNoChipLeft(label);
}

bool SocketChecks::ReportNoChipLeft(std::string_view label) {
  ChipStatus ignored{};
  commands_.CommEnd(ignored);
  prompt_.Tell("All Chips are Error!(" + std::string(label) + " Error)\r\nCheck your Vantrell!");
  channel_.LogText("All Chips are Error!\r\n");
  return false;
}

}  // namespace vantrell
