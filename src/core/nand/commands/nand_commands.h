#pragma once
// The NAND command set: twelve commands, each one request and one reply.
// Every command logs its START line before it talks to the writer and its
// END line when the reply was accepted, and returns its LinkResult; it
// reports nothing else. Workers call them inside an NdflProgramStart ...
// NdflProgramEnd bracket.
//
// Threads: one worker at a time; the commands keep no state between calls.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/link/link_result.h"
#include "core/link/packet.h"
#include "core/nand/commands/nand_types.h"

namespace vantrell {

class OperationChannel;

class NandCommands {
 public:
  explicit NandCommands(OperationChannel& channel) : channel_(channel) {}

  OperationChannel& Channel() { return channel_; }

  // Open and close the bracket every NAND operation runs in.
  LinkResult NdflProgramStart();
  LinkResult NdflProgramEnd();

  // The geometry and the name. A reply whose count byte leaves no room for a
  // name is logged as received and refused; so is geometry the program
  // cannot work with (see nand_types.h).
  LinkResult ReadNandFlashInformation(NandFlashInfo& out);
  // How many entries the writer's bad block table holds.
  LinkResult ReadBadBlockCount(std::int32_t& count);
  // The next piece of the bad block table, 4 bytes an entry.
  LinkResult ReadBadBlockInformation(NandDataPacket& out);
  LinkResult ReadFatStartBlockNumber(std::int32_t& number);
  LinkResult WriteFatStartBlockNumber(std::uint32_t number);

  // Block commands: BadBlock when the writer reports the block bad.
  LinkResult EraseBlock(std::uint32_t block);
  // Selects the block the following WriteData packets fill.
  LinkResult WriteBlockNumber(std::uint32_t block);
  // 0 to 62 bytes of the selected block; the empty packet follows a file's
  // last packet when that one was full.
  LinkResult WriteData(std::span<const std::uint8_t> data);
  // Selects the block the following NandReadData replies return.
  LinkResult ReadBlockNumber(std::uint32_t block);
  // The next piece of the selected block, up to 62 bytes.
  LinkResult NandReadData(NandDataPacket& out);

 private:
  // The START line, the request and its reply; Success when a reply arrived.
  LinkResult Exchange(std::string_view title, const RequestPacket& request, ReplyPacket& reply);
  LinkResult Ended(std::string_view title);
  LinkResult Bracket(std::string_view title, std::uint8_t code);
  // A command whose reply is echo, 1, 0.
  LinkResult Acknowledged(std::string_view title, const RequestPacket& request);
  // A block command; line is logged when the block's state is accepted.
  LinkResult BlockCommand(std::string_view title, std::uint8_t code, std::uint32_t block, const std::string& line);
  LinkResult ReadData(std::string_view title, std::uint8_t code, NandDataPacket& out);
  LinkResult ReadNumber(std::string_view title, std::uint8_t code, std::int32_t& number);
  void LogReceivedData(const ReplyPacket& reply);

  OperationChannel& channel_;
};

}  // namespace vantrell
