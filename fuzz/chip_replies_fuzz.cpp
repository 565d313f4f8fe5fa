// The chip family's replies: status merge, Read ID, Verify End and Read Data
// packets, and the Read ID and Read Data routines fed a whole scripted
// exchange. Nothing may depend on bytes that did not arrive, a refused reply
// changes nothing, and a read never writes past the caller's buffer.
#include <memory>

#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/operation/operation_channel.h"
#include "core/operation/progress_bar_view.h"
#include "core/common/run_control.h"
#include "core/program/chip/chip_commands.h"
#include "core/program/chip/chip_replies.h"
#include "fuzz_support.h"

namespace vantrell {
namespace {

struct ParserOutcome {
  LinkResult merged;
  ChipStatus status;
  ChipIdParse ids;
  LinkResult checksummed;
  SocketChecksums checksums;
  DataPacket packet;
  std::vector<std::uint8_t> packetBytes;
  bool accepted;
};

ParserOutcome ParseAll(const ReplyPacket& reply, std::size_t sockets, std::uint32_t room, const ChipStatus& before) {
  ParserOutcome o;
  o.status = before;
  o.merged = MergeStatus(reply, sockets, o.status);
  o.ids = ParseChipIds(reply, sockets);
  o.checksums.fill(0x5A5A5A5A);
  o.checksummed = ParseChecksums(reply, sockets, o.checksums);
  o.packet = ParseDataPacket(reply, room);
  o.packetBytes.assign(o.packet.data.begin(), o.packet.data.end());
  o.accepted = ReadRangeAccepted(reply);
  return o;
}

void CheckParsers(FuzzedDataProvider& data) {
  const auto sockets = data.ConsumeIntegralInRange<std::size_t>(0, 9);
  const auto room = data.ConsumeIntegral<std::uint32_t>();
  ChipStatus before{};
  for (auto& s : before) s = data.ConsumeIntegral<std::uint8_t>();
  const auto arrived = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, kPacketSize));

  const ReplyPacket a = fuzz::PoisonedReply(arrived, fuzz::kPoisons[0]);
  const ReplyPacket b = fuzz::PoisonedReply(arrived, fuzz::kPoisons[1]);
  const ParserOutcome x = ParseAll(a, sockets, room, before);
  const ParserOutcome y = ParseAll(b, sockets, room, before);

  FUZZ_CHECK(x.merged == y.merged && x.status == y.status);
  FUZZ_CHECK(x.ids.form == y.ids.form && x.ids.ids.chipIds == y.ids.ids.chipIds &&
             x.ids.ids.makerIds == y.ids.ids.makerIds && x.ids.ids.deviceIds == y.ids.ids.deviceIds);
  FUZZ_CHECK(x.checksummed == y.checksummed && x.checksums == y.checksums);
  FUZZ_CHECK(x.packet.result == y.packet.result && x.packetBytes == y.packetBytes);
  FUZZ_CHECK(x.accepted == y.accepted);

  if (x.merged != LinkResult::Success) FUZZ_CHECK(x.status == before);
  for (std::size_t i = std::min(sockets, kMaxSockets); i < kMaxSockets; ++i) FUZZ_CHECK(x.status[i] == before[i]);
  if (x.checksummed != LinkResult::Success) FUZZ_CHECK(x.checksums[0] == 0x5A5A5A5A);
  if (x.ids.form == ChipIdForm::Extended) FUZZ_CHECK(a.count == 23);
  if (x.ids.form == ChipIdForm::Short) FUZZ_CHECK(a.count <= 9);
  if (x.packet.result == LinkResult::Success) {
    FUZZ_CHECK(x.packetBytes.size() <= kMaxPayload && x.packetBytes.size() <= room);
    FUZZ_CHECK(x.packetBytes.size() + 2 <= a.count);
  }
}

class NoProgress final : public ProgressBarView {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int position) override { last = position; }
  void SetShowPercentage(bool) override {}
  int last = 0;
};

struct RoutineOutcome {
  LinkResult idResult;
  ChipIdReply ids;
  LinkResult readResult;
  std::vector<std::uint8_t> read;
  std::string log;
};

RoutineOutcome RunRoutines(const std::vector<std::vector<std::uint8_t>>& replies, std::size_t sockets,
                           std::size_t length, std::uint8_t poison) {
  fuzz::ScriptedWriter writer(replies, poison);
  MessageLog log;
  const std::string path = fuzz::ScratchPath("chip.log");
  log.Create(path);
  WriterLink link(writer, log);
  RunControl control;
  OperationChannel channel(link, control);
  ChipCommands commands(channel, sockets);
  RoutineOutcome o;
  o.idResult = commands.ReadId(o.ids);
  // Exactly the bytes asked for: a write past them is an address sanitizer
  // finding.
  auto buffer = std::make_unique<std::uint8_t[]>(length);
  std::fill_n(buffer.get(), length, 0xEE);
  ChipStatus status{};
  NoProgress progress;
  o.readResult = commands.ReadData(0x1000, {buffer.get(), length}, status, progress);
  FUZZ_CHECK(progress.last <= 100);
  o.read.assign(buffer.get(), buffer.get() + length);
  log.Close();
  o.log = fuzz::ReadWhole(path);
  std::remove(path.c_str());
  return o;
}

void CheckRoutines(FuzzedDataProvider& data) {
  const auto sockets = data.ConsumeIntegralInRange<std::size_t>(1, 7);
  const auto length = data.ConsumeIntegralInRange<std::size_t>(1, 700);
  const auto replies = fuzz::SplitReplies(data);
  const RoutineOutcome x = RunRoutines(replies, sockets, length, fuzz::kPoisons[0]);
  const RoutineOutcome y = RunRoutines(replies, sockets, length, fuzz::kPoisons[1]);
  FUZZ_CHECK(x.idResult == y.idResult && x.readResult == y.readResult);
  FUZZ_CHECK(x.ids.chipIds == y.ids.chipIds && x.ids.makerIds == y.ids.makerIds);
  FUZZ_CHECK(x.read == y.read && x.log == y.log);
}

}  // namespace
}  // namespace vantrell

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  if (data.ConsumeBool()) vantrell::CheckParsers(data);
  else vantrell::CheckRoutines(data);
  return 0;
}
