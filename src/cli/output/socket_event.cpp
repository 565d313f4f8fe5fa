#include "cli/output/socket_event.h"

#include <array>

#include "cli/app/exit_codes.h"
#include "core/program/chip/chip_types.h"
#include "core/text/format.h"

namespace vantrell::cli {
namespace {

// A socket still alive when the run stopped shows its last "→ OK!": the text
// says why it did not pass instead.
std::string NotFinishedText(const OperationEnd& end) {
  if (end.linkOpenFailed) return "not tried: the link to the writer did not open";
  return FormatText("not finished: the run ended with %s", LinkResultName(end.code));
}

}  // namespace

const char* VerdictName(SocketOutcome outcome) {
  // In the order of the enumeration.
  constexpr std::array<const char*, 5> kNames = {"passed", "read-id", "failed", "checksum", "not-finished"};
  static_assert(static_cast<std::size_t>(SocketOutcome::NotFinished) + 1 == kNames.size());
  return kNames.at(static_cast<std::size_t>(outcome));
}

Event SocketEvent(const SocketVerdict& verdict, const std::string& packLine, const OperationEnd& end) {
  Event socket = MakeEvent("socket");
  socket["socket"] = verdict.socket;
  socket["label"] = verdict.socket < kSocketLabels.size() ? kSocketLabels[verdict.socket] : "";
  socket["result"] = verdict.outcome == SocketOutcome::Passed ? "ok" : "error";
  socket["verdict"] = VerdictName(verdict.outcome);
  if (!verdict.stage.empty()) socket["stage"] = verdict.stage;
  if (verdict.outcome == SocketOutcome::ChecksumMismatch) {
    socket["expected"] = FormatText("%08X", verdict.expected);
    socket["actual"] = FormatText("%08X", verdict.actual);
  }
  socket["text"] = verdict.outcome == SocketOutcome::NotFinished ? NotFinishedText(end) : packLine;
  socket["pack"] = packLine;
  return socket;
}

}  // namespace vantrell::cli
