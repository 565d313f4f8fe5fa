// The NAND command set against a scripted driver: the request bytes, the
// reply checks and their log lines, replies that must not be believed, and
// how ReportNandResult logs each result.
#include "core/nand/commands/nand_commands.h"

#include <gtest/gtest.h>

#include "core/link/writer_link.h"
#include "core/nand/commands/report_nand_result.h"
#include "core/operation/operation_channel.h"
#include "core/common/run_control.h"
#include "support/fake_usb_driver.h"
#include "support/log_capture.h"

namespace vantrell {
namespace {

using test::Cp949;
using Bytes = std::vector<std::uint8_t>;

Bytes Reply(Bytes head) {
  head.resize(64, 0);
  return head;
}

class NandCommandsTest : public ::testing::Test {
 protected:
  void Answer(Bytes reply) { driver.reads.push_back({1, Reply(std::move(reply))}); }
  std::string Log() { return capture.Bytes(); }
  std::string Start(const char* title) { return Cp949(std::string("\r\nSTART(☆). <") + title + "> Process\r\n"); }
  std::string End(const char* title) { return Cp949(std::string("END(☆). <") + title + "> Process\r\n\r\n"); }

  test::FakeUsbDriver driver;
  test::LogCapture capture;
  WriterLink link{driver, capture.log};
  RunControl control;
  OperationChannel channel{link, control};
  NandCommands commands{channel};
};

TEST_F(NandCommandsTest, EveryCommandSendsItsExactRequestBytes) {
  driver.responder = [](const Bytes& request) {
    return test::FakeUsbDriver::ReadResult{1, Reply({request[0], 1, 0})};
  };
  NandFlashInfo info;
  std::int32_t number = 0;
  NandDataPacket packet;
  commands.NdflProgramStart();
  commands.NdflProgramEnd();
  commands.ReadNandFlashInformation(info);
  commands.ReadBadBlockCount(number);
  commands.ReadBadBlockInformation(packet);
  commands.ReadBlockNumber(0x01020304);
  commands.NandReadData(packet);
  commands.ReadFatStartBlockNumber(number);
  commands.EraseBlock(7);
  commands.WriteBlockNumber(0x10000);
  commands.WriteData(Bytes{9, 8, 7});
  commands.WriteData({});
  commands.WriteFatStartBlockNumber(100);
  const std::vector<Bytes> expected = {
      {0xAE, 0}, {0xAF, 0}, {0xA0, 0}, {0xA1, 0}, {0xA2, 0}, {0xA3, 4, 4, 3, 2, 1}, {0xA4, 0}, {0xA5, 0},
      {0xC0, 4, 7, 0, 0, 0}, {0xD0, 4, 0, 0, 1, 0}, {0xD1, 3, 9, 8, 7}, {0xD1, 0}, {0xD2, 4, 100, 0, 0, 0}};
  EXPECT_EQ(driver.written, expected);
}

TEST_F(NandCommandsTest, BlockCommandsFollowTheStatusRule) {
  struct Case {
    Bytes reply;
    LinkResult result;
  };
  const Case cases[] = {
      {{0xC0, 1, 0x00}, LinkResult::Success},
      {{0xC0, 1, 0x01}, LinkResult::Success},
      {{0xC0, 1, 0xFE}, LinkResult::BadBlock},
      {{0xC0, 1, 0xFF}, LinkResult::CommError},
      {{0xC0, 2, 0x00}, LinkResult::CommError},
      {{0xC0, 0, 0xFE}, LinkResult::CommError},
      {{0xD0, 1, 0x00}, LinkResult::CommError},
  };
  for (const Case& c : cases) {
    Answer(c.reply);
    EXPECT_EQ(commands.EraseBlock(12), c.result) << int(c.reply[1]) << "," << int(c.reply[2]);
  }
  driver.reads.push_back({1, {0xC0, 1}});  // the state byte never arrived
  EXPECT_EQ(commands.EraseBlock(12), LinkResult::CommError);
}

TEST_F(NandCommandsTest, ASuccessLogsTheCommandsOwnLineBetweenStartAndEnd) {
  Answer({0xC0, 1, 0});
  Answer({0xD0, 1, 0});
  Answer({0xA3, 1, 0});
  Answer({0xD2, 1, 0});
  Answer({0xAE, 1, 0});
  Answer({0xC0, 1, 0xFE});
  ASSERT_EQ(commands.EraseBlock(5), LinkResult::Success);
  ASSERT_EQ(commands.WriteBlockNumber(6), LinkResult::Success);
  ASSERT_EQ(commands.ReadBlockNumber(7), LinkResult::Success);
  ASSERT_EQ(commands.WriteFatStartBlockNumber(8), LinkResult::Success);
  ASSERT_EQ(commands.NdflProgramStart(), LinkResult::Success);
  ASSERT_EQ(commands.EraseBlock(9), LinkResult::BadBlock);
  EXPECT_EQ(Log(), Start("Erase Block") + "\t<5> Block Erased\r\n" + End("Erase Block") +
                       Start("Write Block Number") + "\tWrite Block Number -> <6>\r\n" + End("Write Block Number") +
                       Start("Read Block Number") + "\tRead Block Number -> <7>\r\n" + End("Read Block Number") +
                       Start("Write FAT Start Block Number") + "\tFAT Start Block Number -> <8>\r\n" +
                       End("Write FAT Start Block Number") + Start("NDFL Program Start") +
                       Cp949("END(☆). <NDFL Program Start\r\n\r\n") + Start("Erase Block"));
}

TEST_F(NandCommandsTest, InformationTakesANameOfOneCharacterAndDumpsAReplyWithoutRoomForOne) {
  Answer({0xA0, 9, 0x00, 0x08, 0, 0, 0x40, 0, 0, 0, 'K', 'L'});
  NandFlashInfo info;
  ASSERT_EQ(commands.ReadNandFlashInformation(info), LinkResult::Success);
  EXPECT_EQ(info.blockSize, 2048u);
  EXPECT_EQ(info.totalBlockCount, 64u);
  EXPECT_EQ(info.name, "K");

  const std::string before = Log();
  driver.reads.push_back({1, {0xA0, 8, 0xAB}});
  EXPECT_EQ(commands.ReadNandFlashInformation(info), LinkResult::CommError);
  EXPECT_EQ(Log().substr(before.size()), Start("Read NAND Flash Information") +
                                              "\t<Receive Data>\r\na0 08 ab \r\n---------------------\r\n");
  EXPECT_EQ(info.name, "K") << "nothing delivered";
}

TEST_F(NandCommandsTest, UntrustedRepliesAreRefusedBeforeAnythingIsDelivered) {
  NandFlashInfo info;
  NandDataPacket packet;
  std::int32_t number = 0;
  const Bytes geometry = {0, 0, 2, 0, 64, 0, 0, 0, 'N', 0};
  auto info_reply = [&](std::uint8_t count, Bytes g) {
    Bytes r{0xA0, count};
    r.insert(r.end(), g.begin(), g.end());
    return r;
  };
  Answer(info_reply(63, geometry));
  EXPECT_EQ(commands.ReadNandFlashInformation(info), LinkResult::CommError) << "count above 62";
  Answer(info_reply(10, {0, 0, 0, 0, 64, 0, 0, 0, 'N', 0}));
  EXPECT_EQ(commands.ReadNandFlashInformation(info), LinkResult::CommError) << "block size 0";
  Answer(info_reply(10, {1, 0, 0, 1, 64, 0, 0, 0, 'N', 0}));
  EXPECT_EQ(commands.ReadNandFlashInformation(info), LinkResult::CommError) << "block size above 16 MiB";
  Answer(info_reply(10, {0, 0, 2, 0, 0, 0, 0, 0, 'N', 0}));
  EXPECT_EQ(commands.ReadNandFlashInformation(info), LinkResult::CommError) << "no blocks";
  Answer({0xA1, 0, 0, 0, 0, 0});
  EXPECT_EQ(commands.ReadNandFlashInformation(info), LinkResult::CommError) << "another command's reply";
  EXPECT_EQ(info.totalBlockCount, 0u);

  Answer({0xA2, 63});
  EXPECT_EQ(commands.ReadBadBlockInformation(packet), LinkResult::CommError);
  driver.reads.push_back({1, {0xA4, 10, 1, 2, 3}});  // claims more than arrived
  EXPECT_EQ(commands.NandReadData(packet), LinkResult::CommError);
  Answer({0xA4, 0});
  EXPECT_EQ(commands.NandReadData(packet), LinkResult::Success) << "a count of 0 is a reply like any other";
  EXPECT_EQ(packet.count, 0);
  Answer({0xA1, 3, 1, 0, 0, 0});
  EXPECT_EQ(commands.ReadBadBlockCount(number), LinkResult::CommError);
  Answer({0xA5, 4, 0xFF, 0xFF, 0xFF, 0xFF});
  ASSERT_EQ(commands.ReadFatStartBlockNumber(number), LinkResult::Success);
  EXPECT_EQ(number, -1);
}

TEST_F(NandCommandsTest, LinkFailuresReturnTheirCodeAfterTheStartLineOnly) {
  driver.writeResult = 0;
  EXPECT_EQ(commands.NdflProgramStart(), LinkResult::WriteUsbError);
  driver.writeResult = 1;
  EXPECT_EQ(commands.NdflProgramEnd(), LinkResult::ReadUsbError);
  EXPECT_EQ(Log(), Start("NDFL Program Start") + Start("NDFL Program End"));
}

TEST_F(NandCommandsTest, ReportNandResultLogsEachCodeThenExitsAndClosesTheLink) {
  struct Case {
    LinkResult code;
    std::string line;
  };
  const Case cases[] = {
      {LinkResult::WriteUsbError, "\t + WriteUSB Error!\r\n"},
      {LinkResult::ReadUsbError, "\t + ReadUSB Error!\r\n"},
      {LinkResult::Finished, ""},
      {LinkResult::BadBlock, "\t +  Error!\r\n"},
      {LinkResult::Reported, "\t +  Error!\r\n"},
  };
  for (const Case& c : cases) {
    const std::string before = Log();
    driver.calls.clear();
    ReportNandResult(c.code, commands, [&] { channel.LogText("<between>"); });
    EXPECT_EQ(Log().substr(before.size()), c.line + "<between>" + Cp949("\t ->  Exit Download!\r\n"));
    EXPECT_EQ(driver.calls, std::vector<std::string>{"Close"});
  }

  Answer({0xAF, 1, 0});
  const std::string before = Log();
  ReportNandResult(LinkResult::CommError, commands);
  EXPECT_EQ(Log().substr(before.size()), Cp949("\t +  COMM Error!\r\n") + Start("NDFL Program End") +
                                              Cp949("END(☆). <NDFL Program End\r\n\r\n\t ->  Exit Download!\r\n"));
  EXPECT_EQ(driver.written.back(), (Bytes{0xAF, 0}));
}

TEST_F(NandCommandsTest, AnAbandonedOperationSendsAndLogsNothing) {
  control.Abandon();
  EXPECT_EQ(commands.NdflProgramStart(), LinkResult::WriteUsbError);
  ReportNandResult(LinkResult::CommError, commands);
  EXPECT_TRUE(driver.written.empty());
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace vantrell
