// The chip command set against the writer simulator: request bytes, status
// merging, the two Read ID forms, Read Data's packet loop, and untrusted
// replies that must never be read past (those no firmware would send come
// from a scripted stand-in).
#include "core/program/chip/chip_commands.h"

#include <gtest/gtest.h>

#include "core/link/writer_link.h"
#include "core/operation/operation_channel.h"
#include "core/operation/progress_bar_view.h"
#include "core/common/run_control.h"
#include "core/program/job/file_checksum.h"
#include "core/program/chip/socket_board.h"
#include "support/download_rig.h"
#include "support/log_capture.h"
#include "support/recording_download_view.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::SimChipWriter;
using Bytes = std::vector<std::uint8_t>;

class RecordingProgressBar : public ProgressBarView {
 public:
  void SetRange(int low, int high) override { calls.push_back("range " + std::to_string(low) + "-" + std::to_string(high)); }
  void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }
  void SetShowPercentage(bool show) override { calls.push_back(show ? "percent on" : "percent off"); }
  std::vector<std::string> calls;
};

class ChipCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(link.OpenLink()); }

  Bytes StatusReply(std::uint8_t code, Bytes states) {
    Bytes reply(64, 0);
    reply[0] = code;
    reply[1] = 7;
    std::copy(states.begin(), states.end(), reply.begin() + 2);
    return reply;
  }
  std::string Log() { return capture.Bytes(); }
  // Chip IDs 0x12 + socket, and in the extended form (manufacturer, device)
  // pairs 0x19 + 2 * socket, 0x1A + 2 * socket: reply byte n is 0x10 + n.
  void NumberIds(SimChipWriter::IdForm form) {
    for (std::size_t i = 0; i < 7; ++i) {
      writer.chips[i].chipId = static_cast<std::uint8_t>(0x12 + i);
      writer.chips[i].makerId = static_cast<std::uint8_t>(0x19 + 2 * i);
      writer.chips[i].deviceId = static_cast<std::uint8_t>(0x1A + 2 * i);
    }
    writer.idForm = form;
    writer.Reconfigure();
  }
  // The next reply arrives cut after its first count bytes.
  void CutNextReply(std::uint32_t count) {
    writer.FaultAt(writer.Exchanges() + 1, SimChipWriter::Fault::ShortReply, count);
  }

  SimChipWriter writer{test::SmallDevice(8)};
  test::LogCapture capture;
  WriterLink link{writer, capture.log};
  RunControl control;
  OperationChannel channel{link, control};
  ChipCommands commands{channel, 7};
  ChipStatus status{};
};

TEST_F(ChipCommandsTest, EveryRoutineSendsItsExactRequestBytes) {
  const Bytes data = {1, 2, 3};
  SocketChecksums sums{};
  ChipIdReply ids;
  std::shared_ptr<DownloadViewSlot> slot = MakeDownloadViewSlot(nullptr);
  SocketBoard board(7, RunView(*slot, control));

  commands.ReadId(ids);
  commands.SectorErase(0x12345678, status);
  commands.ProgramEnable(status);
  commands.AaiAutoAddress(0x0400, 0xEE, status);
  commands.AutoProgram(data, status);
  commands.ProgramDisable(status);
  commands.VerifySetAddress(0x0800, 0x3E, status);
  commands.VerifyData(data, status);
  commands.VerifyEnd(sums);
  commands.FlashBlankCheck(0x0C00, 0x400, status, board);
  commands.CommEnd(status);

  const std::vector<Bytes> expected = {
      {0xA0, 0x00},
      {0xC0, 0x00},
      {0xC1, 0x04, 0x78, 0x56, 0x34, 0x12},
      {0xC6, 0x00},
      {0xD0, 0x00},
      {0xD3, 0x05, 0x00, 0x04, 0x00, 0x00, 0xEE},
      {0xD4, 0x03, 1, 2, 3},
      {0xD1, 0x00},
      {0xA5, 0x08, 0x00, 0x08, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00},
      {0xA6, 0x03, 1, 2, 3},
      {0xA7, 0x00},
      {0xA9, 0x08, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00},
      {0xA8, 0x00},
  };
  EXPECT_EQ(writer.Requests(), expected);
}

TEST_F(ChipCommandsTest, ReadDataSendsEnableRangeNextAndDisable) {
  writer.SetFlash(0, 0x10, {0x42});
  Bytes buffer(3);
  RecordingProgressBar bar;
  ASSERT_EQ(commands.ReadData(0x10, buffer, status, bar), LinkResult::Success);
  const std::vector<Bytes> expected = {
      {0xA1, 0x00}, {0xA4, 0x08, 0x10, 0, 0, 0, 3, 0, 0, 0}, {0xAA, 0x00}, {0xA2, 0x00}};
  EXPECT_EQ(writer.Requests(), expected);
  EXPECT_EQ(buffer, (Bytes{0x42, 0xFF, 0xFF}));
}

// --- status merging ---

TEST_F(ChipCommandsTest, SectorEraseKeepsAFailureOfTheEnableStep) {
  writer.FailCommand(0xC0, 2, 3);
  writer.FailCommand(0xC6, 4, 9);
  ASSERT_EQ(commands.SectorErase(0, status), LinkResult::Success);
  EXPECT_EQ(status, (ChipStatus{0, 0, 3, 0, 9, 0, 0}));
}

TEST_F(ChipCommandsTest, ALaterFailureReplacesAnEarlierOne) {
  writer.FailCommand(0xC0, 1, 3);
  writer.FailCommand(0xC1, 1, 5);
  ASSERT_EQ(commands.SectorErase(0, status), LinkResult::Success);
  EXPECT_EQ(status[1], 5);
}

TEST_F(ChipCommandsTest, EachRoutineStartsFromACleanStatus) {
  status.fill(7);
  ASSERT_EQ(commands.ProgramEnable(status), LinkResult::Success);
  EXPECT_EQ(status, ChipStatus{});
}

TEST_F(ChipCommandsTest, SocketsBeyondTheServedCountAreNeverMerged) {
  ChipCommands twoSockets(channel, 2);
  writer.FailCommand(0xD0, 1, 4);
  writer.FailCommand(0xD0, 2, 4);
  ASSERT_EQ(twoSockets.ProgramEnable(status), LinkResult::Success);
  EXPECT_EQ(status, (ChipStatus{0, 4, 0, 0, 0, 0, 0}));
}

TEST_F(ChipCommandsTest, AStatusReplyTooShortForEveryServedSocketIsACommError) {
  writer.FaultAt(1, SimChipWriter::Fault::ShortReply, 8);  // states of sockets 0 to 5 only
  EXPECT_EQ(commands.CommEnd(status), LinkResult::CommError);
  ChipCommands sixSockets(channel, 6);
  writer.FaultAt(2, SimChipWriter::Fault::ShortReply, 8);
  EXPECT_EQ(sixSockets.CommEnd(status), LinkResult::Success);
}

TEST_F(ChipCommandsTest, LinkFailuresAreReturnedAtOnce) {
  writer.FaultAt(2, SimChipWriter::Fault::SendFails);
  EXPECT_EQ(commands.SectorErase(0, status), LinkResult::WriteUsbError);
  EXPECT_EQ(writer.Codes(), (Bytes{0xC0}));
  writer.FaultAt(3, SimChipWriter::Fault::NoReply);
  EXPECT_EQ(commands.SectorErase(0, status), LinkResult::ReadUsbError);
  EXPECT_EQ(writer.Codes(), (Bytes{0xC0, 0xC0}));
}

TEST_F(ChipCommandsTest, SectorEraseLogsEveryStepAndStopsLoggingAtAFailure) {
  ASSERT_EQ(commands.SectorErase(0x1C00, status), LinkResult::Success);
  EXPECT_EQ(Log(), Cp949("\r\nSTART(☆). <Sector Erase> Process\r\n"
                         "\t ▶ Sector Erase Enable\r\n"
                         "\t ▶ Sector Erase\r\n"
                         "\t\tErase Address = 0x1C00\r\n"
                         "\t ▶ Sector Erase Disable\r\n"
                         "END(☆). <Sector Erase> Process\r\n\r\n"));
  writer.FaultAt(5, SimChipWriter::Fault::NoReply);
  test::LogCapture second;
  WriterLink otherLink{writer, second.log};
  OperationChannel otherChannel{otherLink, control};
  ChipCommands other{otherChannel, 7};
  EXPECT_EQ(other.SectorErase(0, status), LinkResult::ReadUsbError);
  EXPECT_EQ(second.Bytes(), Cp949("\r\nSTART(☆). <Sector Erase> Process\r\n"
                                  "\t ▶ Sector Erase Enable\r\n"
                                  "\t ▶ Sector Erase\r\n"
                                  "\t\tErase Address = 0x0000\r\n"));
}

// --- Read ID ---

TEST_F(ChipCommandsTest, ReadIdOfNineBytesIsTheShortForm) {
  NumberIds(SimChipWriter::IdForm::Short);
  ChipIdReply ids;
  ASSERT_EQ(commands.ReadId(ids), LinkResult::Success);
  EXPECT_FALSE(ids.extended);
  EXPECT_EQ(ids.chipIds, (std::array<std::uint8_t, 7>{0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18}));
  EXPECT_EQ(ids.makerIds, (std::array<std::uint8_t, 7>{}));
  std::string expected = "\r\nSTART(☆). <Read ID> Process\r\n";
  for (int i = 0; i < 7; ++i) expected += "\tChip0" + std::to_string(i) + " ID = 0x1" + std::to_string(2 + i) + "\r\n";
  expected += "END(☆). <Read ID> Process\r\n\r\n";
  EXPECT_EQ(Log(), Cp949(expected));
}

TEST_F(ChipCommandsTest, ReadIdOfTwentyThreeBytesIsTheExtendedForm) {
  NumberIds(SimChipWriter::IdForm::Extended);
  ChipIdReply ids;
  ASSERT_EQ(commands.ReadId(ids), LinkResult::Success);
  EXPECT_TRUE(ids.extended);
  // Bytes 9 to 22 are (manufacturer, device) pairs, socket 0 first.
  EXPECT_EQ(ids.makerIds, (std::array<std::uint8_t, 7>{0x19, 0x1B, 0x1D, 0x1F, 0x21, 0x23, 0x25}));
  EXPECT_EQ(ids.deviceIds, (std::array<std::uint8_t, 7>{0x1A, 0x1C, 0x1E, 0x20, 0x22, 0x24, 0x26}));
}

TEST_F(ChipCommandsTest, ReadIdOfTenToTwentyTwoBytesLogsTheIdsAndIsACommError) {
  NumberIds(SimChipWriter::IdForm::Extended);
  for (std::size_t count : {10, 16, 22}) {
    test::LogCapture own;
    WriterLink ownLink{writer, own.log};
    OperationChannel ownChannel{ownLink, control};
    ChipCommands ownCommands{ownChannel, 7};
    CutNextReply(count);
    ChipIdReply ids;
    EXPECT_EQ(ownCommands.ReadId(ids), LinkResult::CommError) << count;
    const std::string log = own.Bytes();
    EXPECT_NE(log.find("\tChip06 ID = 0x18\r\n"), std::string::npos) << count;
    EXPECT_EQ(log.find("END("), std::string::npos) << count;
  }
}

TEST_F(ChipCommandsTest, ReadIdTooShortForTheServedSocketsIsRefusedBeforeAnyIdIsLogged) {
  NumberIds(SimChipWriter::IdForm::Short);
  for (std::size_t count : {1, 2, 8}) {
    CutNextReply(count);
    ChipIdReply ids;
    ids.chipIds.fill(0x77);
    EXPECT_EQ(commands.ReadId(ids), LinkResult::CommError) << count;
    EXPECT_EQ(ids.chipIds[0], 0x77) << "nothing copied for " << count;
  }
  EXPECT_EQ(Log().find("\tChip"), std::string::npos);

  ChipCommands twoSockets(channel, 2);
  CutNextReply(4);
  ChipIdReply ids;
  EXPECT_EQ(twoSockets.ReadId(ids), LinkResult::Success);
  EXPECT_EQ(ids.chipIds[1], 0x13);
}

// --- Read Data ---

TEST_F(ChipCommandsTest, ReadDataOfSixtyTwoBytesAsksForASecondPacketThatEndsTheLoop) {
  Bytes counting(62);
  for (int i = 0; i < 62; ++i) counting[i] = static_cast<std::uint8_t>(i);
  writer.SetFlash(0, 0, counting);
  Bytes buffer(62);
  RecordingProgressBar bar;
  ASSERT_EQ(commands.ReadData(0, buffer, status, bar), LinkResult::Success);
  EXPECT_EQ(writer.CountOf(0xAA), 2u);
  EXPECT_EQ(buffer[61], 61);
  EXPECT_EQ(bar.calls, (std::vector<std::string>{"range 0-100", "pos 0", "percent on", "pos 100", "pos 100"}));
}

TEST_F(ChipCommandsTest, ReadDataOfOneHundredBytesMovesTheBarToFiftyThenToOneHundred) {
  Bytes buffer(100);
  RecordingProgressBar bar;
  ASSERT_EQ(commands.ReadData(0, buffer, status, bar), LinkResult::Success);
  EXPECT_EQ(bar.calls, (std::vector<std::string>{"range 0-100", "pos 0", "percent on", "pos 50", "pos 100"}));
  EXPECT_EQ(Log(), Cp949("\r\nSTART(☆). <Read Data> Process\r\n"
                         "\t ▶ Read Enable\r\n"
                         "\t ▶ Read Data\r\n"
                         "\t\tRead Address = 0x0000\r\n"
                         "\t\tRead Length = 100\r\n"
                         "☞ Master Chip Read Start = 0x0\r\n"
                         "☞ Master Chip Read Length = 100 [byte]\r\n"
                         "\t ▶ Read Disable\r\n"
                         "END(☆). <Read Data> Process\r\n\r\n"));
}

TEST_F(ChipCommandsTest, ARefusedReadRangeIsACommErrorThatChangesNoStatus) {
  writer.FailCommand(0xA4, 0, 1);
  Bytes buffer(10);
  RecordingProgressBar bar;
  EXPECT_EQ(commands.ReadData(0, buffer, status, bar), LinkResult::CommError);
  EXPECT_EQ(status, ChipStatus{});
  EXPECT_EQ(writer.Codes(), (Bytes{0xA1, 0xA4}));
}

TEST_F(ChipCommandsTest, ReadDataRefusesAPacketCutShortOfItsCount) {
  // Read Next is the third request of Read Data.
  const std::vector<std::pair<const char*, std::uint32_t>> cases = {{"more than arrived", 20}, {"no count byte", 1}};
  for (const auto& [what, arrived] : cases) {
    writer.FaultAt(writer.Exchanges() + 3, SimChipWriter::Fault::ShortReply, arrived);
    Bytes buffer(200 + 8, 0xEE);
    RecordingProgressBar bar;
    EXPECT_EQ(commands.ReadData(0, std::span<std::uint8_t>(buffer.data(), 200), status, bar), LinkResult::CommError)
        << what;
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xEE), static_cast<long>(buffer.size())) << what;
  }
}

TEST_F(ChipCommandsTest, ReadDataOfNothingSendsNothing) {
  RecordingProgressBar bar;
  EXPECT_EQ(commands.ReadData(0, {}, status, bar), LinkResult::CommError);
  EXPECT_TRUE(writer.Requests().empty());
  EXPECT_TRUE(bar.calls.empty());
}

// --- Verify End ---

TEST_F(ChipCommandsTest, VerifyEndReadsOneChecksumPerSocketLeastSignificantByteFirst) {
  writer.SetFlash(3, 1, {0x00});
  const Bytes sent = {0xFF, 0xFF, 0xFF};
  ASSERT_EQ(commands.VerifySetAddress(0, 3, status), LinkResult::Success);
  ASSERT_EQ(commands.VerifyData(sent, status), LinkResult::Success);
  SocketChecksums sums{};
  ASSERT_EQ(commands.VerifyEnd(sums), LinkResult::Success);
  EXPECT_EQ(sums[0], ChecksumOf(sent));
  EXPECT_EQ(sums[3], ChecksumOf(Bytes{0xFF, 0x00, 0xFF}));
}

TEST_F(ChipCommandsTest, VerifyEndWithoutEveryServedChecksumIsACommError) {
  SocketChecksums sums{};
  writer.FaultAt(1, SimChipWriter::Fault::ShortReply, 29);  // socket 6's checksum incomplete
  EXPECT_EQ(commands.VerifyEnd(sums), LinkResult::CommError);
  ChipCommands sixSockets(channel, 6);
  writer.FaultAt(2, SimChipWriter::Fault::ShortReply, 26);
  EXPECT_EQ(sixSockets.VerifyEnd(sums), LinkResult::Success);
}

// --- Flash Blank Check ---

TEST_F(ChipCommandsTest, BlankCheckMarksAliveSocketsWhileTheWriterWorks) {
  auto view = std::make_shared<test::RecordingDownloadView>();
  auto slot = MakeDownloadViewSlot(view);
  SocketBoard board(3, RunView(*slot, control));
  board.Drop(1);
  ASSERT_EQ(commands.FlashBlankCheck(0, 1024, status, board), LinkResult::Success);
  EXPECT_EQ(view->PackLine(0), "Blank Checking~");
  EXPECT_EQ(view->PackLine(1), "");
  EXPECT_EQ(view->PackLine(2), "Blank Checking~");
  EXPECT_EQ(view->PackLine(3), "");
}

TEST_F(ChipCommandsTest, BlankCheckLinkFailuresPaintAliveSocketsRedButKeepThemAlive) {
  for (auto fault : {SimChipWriter::Fault::SendFails, SimChipWriter::Fault::NoReply}) {
    auto view = std::make_shared<test::RecordingDownloadView>();
    auto slot = MakeDownloadViewSlot(view);
    SocketBoard board(3, RunView(*slot, control));
    board.Drop(1);
    writer.FaultAt(writer.Exchanges() + 1, fault);
    const LinkResult r = commands.FlashBlankCheck(0, 1024, status, board);
    EXPECT_EQ(r, fault == SimChipWriter::Fault::SendFails ? LinkResult::WriteUsbError : LinkResult::ReadUsbError);
    EXPECT_EQ(view->PackLine(0), "Blank Check  → ERROR!");
    EXPECT_EQ(view->PackColour(0), kPackColourFailed);
    EXPECT_EQ(view->PackLine(1), "");
    EXPECT_EQ(board.Alive(), (SocketFlags{1, 0, 1, 1, 1, 1, 1}));
  }
}

// --- replies no firmware sends ---

// Answers Read ID and Read Next with the scripted bytes in turn and every
// other request with done in every socket. The simulator keeps to the packet
// rules (at most 23 bytes of Read ID, Read Next counts that fit the range
// asked for), so these replies cannot come from it.
class ScriptedReplies : public UsbDriver {
 public:
  explicit ScriptedReplies(std::vector<Bytes> replies) : replies_(std::move(replies)) {}
  int OpenDevice(int) override { return 1; }
  void Close() override {}
  int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t) override {
    codes.push_back(buffer[0]);
    if ((buffer[0] == 0xA0 || buffer[0] == 0xAA) && !replies_.empty()) {
      pending_ = replies_.front();
      replies_.erase(replies_.begin());
    } else {
      pending_.assign(64, 0);
      pending_[0] = buffer[0];
      pending_[1] = 7;
    }
    *sent = length;
    return 1;
  }
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t) override {
    *received = static_cast<std::uint32_t>(std::min<std::size_t>(capacity, pending_.size()));
    std::copy_n(pending_.begin(), *received, buffer);
    pending_.clear();
    return *received != 0 ? 1 : 0;
  }
  std::vector<std::uint8_t> codes;

 private:
  std::vector<Bytes> replies_;
  Bytes pending_;
};

// The commands over a writer that sends those replies.
struct UntrustedWriter {
  explicit UntrustedWriter(std::vector<Bytes> replies) : driver(std::move(replies)) {}
  ScriptedReplies driver;
  test::LogCapture capture;
  WriterLink link{driver, capture.log};
  RunControl control;
  OperationChannel channel{link, control};
  ChipCommands commands{channel, 7};
  ChipStatus status{};
};

Bytes IdReply(std::size_t count) {
  Bytes reply(count, 0);
  reply[0] = 0xA0;
  for (std::size_t i = 2; i < count; ++i) reply[i] = static_cast<std::uint8_t>(0x10 + i);
  return reply;
}

Bytes DataPacket(std::size_t count, std::uint8_t fill) {
  Bytes reply(64, fill);
  reply[0] = 0xAA;
  reply[1] = static_cast<std::uint8_t>(count);
  return reply;
}

TEST(ChipCommandsUntrustedTest, ReadIdOfMoreThanTwentyThreeBytesLogsTheIdsAndIsACommError) {
  for (std::size_t count : {24, 64}) {
    UntrustedWriter writer({IdReply(count)});
    ChipIdReply ids;
    EXPECT_EQ(writer.commands.ReadId(ids), LinkResult::CommError) << count;
    const std::string log = writer.capture.Bytes();
    EXPECT_NE(log.find("\tChip06 ID = 0x18\r\n"), std::string::npos) << count;
    EXPECT_EQ(log.find("END("), std::string::npos) << count;
  }
}

TEST(ChipCommandsUntrustedTest, ReadDataRefusesCountsThatWouldOverrunTheBufferOrTheRange) {
  struct Case {
    const char* what;
    Bytes packet;
    std::size_t length;
  };
  const std::vector<Case> cases = {
      {"count above 62", DataPacket(63, 0x11), 200},
      {"count 255", DataPacket(255, 0x11), 400},
      {"past the length", DataPacket(62, 0x11), 40},
  };
  for (const Case& c : cases) {
    UntrustedWriter writer({c.packet});
    Bytes buffer(c.length + 8, 0xEE);
    RecordingProgressBar bar;
    const auto target = std::span<std::uint8_t>(buffer.data(), c.length);
    EXPECT_EQ(writer.commands.ReadData(0, target, writer.status, bar), LinkResult::CommError) << c.what;
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xEE), static_cast<long>(buffer.size())) << c.what;
  }
}

TEST(ChipCommandsUntrustedTest, ReadDataThatEndsShortOfTheLengthIsACommError) {
  UntrustedWriter writer({DataPacket(62, 1), DataPacket(10, 2)});
  Bytes buffer(100);
  RecordingProgressBar bar;
  EXPECT_EQ(writer.commands.ReadData(0, buffer, writer.status, bar), LinkResult::CommError);
  EXPECT_EQ(std::count(writer.driver.codes.begin(), writer.driver.codes.end(), 0xA2), 0);
}

}  // namespace
}  // namespace vantrell
