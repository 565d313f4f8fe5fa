// The NAND family's replies: acknowledgements, block states, numbers, data
// packets and the flash information, and the twelve commands fed a scripted
// exchange in an order the fuzzer picks. Nothing may depend on bytes that
// did not arrive; refused geometry and oversized counts never get through.
#include <sstream>

#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/nand/commands/nand_commands.h"
#include "core/nand/commands/nand_replies.h"
#include "core/operation/operation_channel.h"
#include "core/common/run_control.h"
#include "fuzz_support.h"

namespace vantrell {
namespace {

std::string Describe(const ReplyPacket& reply, std::uint8_t code) {
  std::ostringstream out;
  out << static_cast<int>(CheckAcknowledge(reply, code)) << ' ' << static_cast<int>(CheckBlockStatus(reply, code));
  if (auto n = ParseNumber(reply, code)) out << " n" << *n;
  if (auto d = ParseData(reply, code)) {
    FUZZ_CHECK(d->count <= kMaxPayload && d->count + 2u <= reply.count);
    out << " d" << std::string(d->Data().begin(), d->Data().end());
  }
  const FlashInfoParse info = ParseFlashInformation(reply);
  if (info.form == FlashInfoForm::Accepted) {
    FUZZ_CHECK(info.info.blockSize != 0 && info.info.blockSize <= kMaxNandBlockSize);
    FUZZ_CHECK(info.info.totalBlockCount != 0 && info.info.totalBlockCount <= kMaxNandBlockCount);
    FUZZ_CHECK(info.info.name.size() <= kMaxPayload - 8);
  }
  out << " f" << static_cast<int>(info.form) << ' ' << info.info.blockSize << ' ' << info.info.totalBlockCount << ' '
      << info.info.name;
  return out.str();
}

void CheckParsers(FuzzedDataProvider& data) {
  const auto code = data.ConsumeIntegral<std::uint8_t>();
  const auto arrived = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, kPacketSize));
  FUZZ_CHECK(Describe(fuzz::PoisonedReply(arrived, fuzz::kPoisons[0]), code) ==
             Describe(fuzz::PoisonedReply(arrived, fuzz::kPoisons[1]), code));
}

std::string RunCommands(const std::vector<std::uint8_t>& order, const std::vector<std::vector<std::uint8_t>>& replies,
                        std::uint8_t poison) {
  fuzz::ScriptedWriter writer(replies, poison);
  MessageLog log;
  const std::string path = fuzz::ScratchPath("nand.log");
  log.Create(path);
  WriterLink link(writer, log);
  RunControl control;
  OperationChannel channel(link, control);
  NandCommands commands(channel);
  std::ostringstream out;
  const std::uint8_t payload[62] = {1, 2, 3};
  for (std::uint8_t step : order) {
    NandFlashInfo info;
    NandDataPacket packet;
    std::int32_t number = -7;
    LinkResult result = LinkResult::Success;
    switch (step % 12) {
      case 0: result = commands.NdflProgramStart(); break;
      case 1: result = commands.NdflProgramEnd(); break;
      case 2: result = commands.ReadNandFlashInformation(info); break;
      case 3: result = commands.ReadBadBlockCount(number); break;
      case 4: result = commands.ReadBadBlockInformation(packet); break;
      case 5: result = commands.ReadFatStartBlockNumber(number); break;
      case 6: result = commands.WriteFatStartBlockNumber(step); break;
      case 7: result = commands.EraseBlock(step); break;
      case 8: result = commands.WriteBlockNumber(step); break;
      case 9: result = commands.WriteData({payload, static_cast<std::size_t>(step % 63)}); break;
      case 10: result = commands.ReadBlockNumber(step); break;
      default: result = commands.NandReadData(packet); break;
    }
    FUZZ_CHECK(packet.count <= kMaxPayload);
    out << static_cast<int>(result) << ':' << info.blockSize << ',' << info.totalBlockCount << ',' << info.name << ','
        << number << ',' << std::string(packet.Data().begin(), packet.Data().end()) << ';';
  }
  log.Close();
  out << fuzz::ReadWhole(path);
  std::remove(path.c_str());
  return out.str();
}

void CheckCommands(FuzzedDataProvider& data) {
  const auto order = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(1, 24));
  const auto replies = fuzz::SplitReplies(data);
  FUZZ_CHECK(RunCommands(order, replies, fuzz::kPoisons[0]) == RunCommands(order, replies, fuzz::kPoisons[1]));
}

}  // namespace
}  // namespace vantrell

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  if (data.ConsumeBool()) vantrell::CheckParsers(data);
  else vantrell::CheckCommands(data);
  return 0;
}
