#include "core/program/chip/socket_board.h"

#include <algorithm>
#include <string_view>

namespace vantrell {

SocketBoard::SocketBoard(std::size_t socketCount, RunView view)
    : socketCount_(std::min(socketCount, kMaxSockets)), view_(view) {
  alive_.fill(1);
}

std::size_t SocketBoard::AliveCount() const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < socketCount_; ++i) count += alive_[i] != 0 ? 1 : 0;
  return count;
}

void SocketBoard::Drop(std::size_t socket) {
  if (socket < kMaxSockets) alive_[socket] = 0;
}

void SocketBoard::RecordFailure(const SocketVerdict& verdict) {
  if (verdict.socket < kMaxSockets && !failures_[verdict.socket]) failures_[verdict.socket] = verdict;
}

std::vector<SocketVerdict> SocketBoard::Verdicts(bool finished) const {
  std::vector<SocketVerdict> verdicts;
  for (std::size_t i = 0; i < socketCount_; ++i) {
    if (failures_[i]) {
      verdicts.push_back(*failures_[i]);
      continue;
    }
    // A socket dropped without a failed check never got to be tried.
    const bool passed = finished && IsAlive(i);
    verdicts.push_back(SocketVerdict::Of(i, passed ? SocketOutcome::Passed : SocketOutcome::NotFinished));
  }
  return verdicts;
}

void SocketBoard::ShowLine(std::size_t socket, const std::string& text) { view_->SetPackLine(socket, text); }

void SocketBoard::ShowColour(std::size_t socket, std::uint32_t colour) { view_->SetPackColour(socket, colour); }

void SocketBoard::ShowOnAlive(const std::string& text) {
  for (std::size_t i = 0; i < socketCount_; ++i) {
    if (IsAlive(i)) ShowLine(i, text);
  }
}

void SocketBoard::MarkAliveFailed(const std::string& text) {
  for (std::size_t i = 0; i < socketCount_; ++i) {
    if (!IsAlive(i)) continue;
    ShowColour(i, kPackColourFailed);
    ShowLine(i, text);
  }
}

void SocketBoard::ColourServed(std::uint32_t colour) {
  for (std::size_t i = 0; i < socketCount_; ++i) ShowColour(i, colour);
}

std::size_t SocketCountFor(const std::string& deviceName) {
  constexpr std::string_view kTwoSocketFamily = "MINI-VELORA";
  return std::string_view(deviceName).starts_with(kTwoSocketFamily) ? 2 : kMaxSockets;
}

}  // namespace vantrell
