#pragma once
// The sockets of one run: which chips still take part (ChipAlive) and their
// pack status lines. Only sockets below the served count are ever looked at.
#include <cstddef>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/operation/operation_account.h"
#include "core/program/chip/chip_types.h"
#include "core/program/window/run_view.h"

namespace vantrell {

class SocketBoard {
 public:
  SocketBoard(std::size_t socketCount, RunView view);

  std::size_t SocketCount() const { return socketCount_; }
  const SocketFlags& Alive() const { return alive_; }
  bool IsAlive(std::size_t socket) const { return socket < kMaxSockets && alive_[socket] != 0; }
  std::size_t AliveCount() const;
  void SetAll(std::uint8_t alive) { alive_.fill(alive); }
  void Drop(std::size_t socket);
  // Why a socket failed; only its first failure is kept.
  void RecordFailure(const SocketVerdict& verdict);
  // Every served socket's verdict, in socket order, once the run has ended;
  // finished says whether it completed.
  std::vector<SocketVerdict> Verdicts(bool finished) const;

  void ShowLine(std::size_t socket, const std::string& text);
  void ShowColour(std::size_t socket, std::uint32_t colour);
  // The text on the pack line of every served socket still alive.
  void ShowOnAlive(const std::string& text);
  // Red and the text on every served socket still alive; ChipAlive unchanged.
  void MarkAliveFailed(const std::string& text);
  // The colour on every served socket.
  void ColourServed(std::uint32_t colour);

 private:
  std::size_t socketCount_;
  RunView view_;
  SocketFlags alive_{};
  std::array<std::optional<SocketVerdict>, kMaxSockets> failures_;
};

// 2 sockets for devices whose name begins with "MINI-VELORA", else 7.
std::size_t SocketCountFor(const std::string& deviceName);

}  // namespace vantrell
