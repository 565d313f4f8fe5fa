#pragma once
// Turns per-socket values into a verdict per socket. A socket that fails is
// painted red with the stage's label and dropped from the rest of the run; the
// run itself stops only when no socket is left.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/operation/operation_account.h"
#include "core/program/chip/chip_types.h"

namespace vantrell {

class OperationChannel;
class ChipCommands;
class RunPrompt;
class SocketBoard;

using SocketTexts = std::array<std::string, kMaxSockets>;

// What each socket's checksum was compared with.
struct ChecksumComparison {
  SocketChecksums actual{};
  std::uint32_t expected = 0;
};

class SocketChecks {
 public:
  SocketChecks(SocketBoard& board, ChipCommands& commands, OperationChannel& channel, RunPrompt& prompt)
      : board_(board), commands_(commands), channel_(channel), prompt_(prompt) {}

  // True while at least one socket is alive. A socket fails when its value
  // differs from expected; with showOk a passing socket shows label + "  → OK!".
  // A failing socket's verdict is failure at this stage.
  bool CheckChipStatus(std::uint8_t expected, const std::array<std::uint8_t, kMaxSockets>& values,
                       std::string_view label, bool showOk, SocketOutcome failure = SocketOutcome::FailedAtStage);
  // The same with a mismatch byte per socket (non-zero fails) and a text per
  // socket that follows the label on its pack line; with the checksums, a
  // failing socket's verdict is a checksum mismatch naming both.
  bool CheckChipChecksums(const SocketTexts& chipTexts, const std::array<std::uint8_t, kMaxSockets>& mismatch,
                          std::string_view label, bool showOk, const ChecksumComparison* checksums = nullptr);

 private:
  bool Check(const std::function<bool(std::size_t)>& fails, const std::function<std::string(std::size_t)>& textOf,
             const std::function<SocketVerdict(std::size_t)>& verdictOf, std::string_view label, bool showOk);
  bool ReportNoChipLeft(std::string_view label);

  SocketBoard& board_;
  ChipCommands& commands_;
  OperationChannel& channel_;
  RunPrompt& prompt_;
};

}  // namespace vantrell
