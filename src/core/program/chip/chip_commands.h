#pragma once
// The chip command set: one routine per writer command, each logging its
// lines, sending its request and folding the reply into a per-socket status.
// A routine returns its LinkResult and reports nothing itself; the run's
// end-of-operation routine turns a failure into a box and a log line.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/link/link_result.h"
#include "core/link/packet.h"
#include "core/program/chip/chip_types.h"

namespace vantrell {

class OperationAccount;
class OperationChannel;
class ProgressBarView;
class SocketBoard;

class ChipCommands {
 public:
  ChipCommands(OperationChannel& channel, std::size_t socketCount);

  std::size_t SocketCount() const { return socketCount_; }

  // Success, or CommError when the reply is not a short (9 bytes or fewer)
  // or extended (23 bytes) Read ID reply, or lacks a served socket's ID.
  LinkResult ReadId(ChipIdReply& out);
  // Enable, erase, disable; the status keeps a failure of any step.
  LinkResult SectorErase(std::uint32_t address, ChipStatus& status);
  // Reads buffer.size() bytes of the MASTER chip from address, moving the
  // progress bar in quarters and telling account the bytes received at every
  // packet. An empty buffer is refused as CommError before anything is sent.
  LinkResult ReadData(std::uint32_t address, std::span<std::uint8_t> buffer, ChipStatus& status,
                      ProgressBarView& progress, OperationAccount* account = nullptr);
  LinkResult ProgramEnable(ChipStatus& status);
  LinkResult ProgramDisable(ChipStatus& status);
  // Sets the start address; the file's first byte travels with it.
  LinkResult AaiAutoAddress(std::uint32_t address, std::uint8_t firstByte, ChipStatus& status);
  // 1 to 62 bytes following the ones already sent.
  LinkResult AutoProgram(std::span<const std::uint8_t> data, ChipStatus& status);
  LinkResult VerifySetAddress(std::uint32_t address, std::uint32_t length, ChipStatus& status);
  LinkResult VerifyData(std::span<const std::uint8_t> data, ChipStatus& status);
  // One checksum per socket; CommError when the reply lacks one.
  LinkResult VerifyEnd(SocketChecksums& checksums);
  LinkResult CommEnd(ChipStatus& status);
  // While the writer works the alive sockets show "Blank Checking~"; a link
  // failure marks them red with "Blank Check  → ERROR!".
  LinkResult FlashBlankCheck(std::uint32_t address, std::uint32_t length, ChipStatus& status, SocketBoard& board);

 private:
  LinkResult StatusExchange(const RequestPacket& request, ChipStatus& status);
  LinkResult ReadDataPackets(std::span<std::uint8_t> buffer, ProgressBarView& progress, OperationAccount* account);

  OperationChannel& channel_;
  std::size_t socketCount_;
};

}  // namespace vantrell
