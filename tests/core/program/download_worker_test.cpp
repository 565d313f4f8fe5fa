// The download sequence against the writer simulator: which packets go out for
// files around the 62-byte packet size, when the pack lines say OK, how the
// bars move, the blank-check-only path, the time report, socket failures,
// file troubles, link faults at every exchange, and abandoning a run.
#include "core/program/run/download_worker.h"

#include <condition_variable>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

#include "core/program/run/download_run.h"
#include "core/program/job/file_checksum.h"
#include "core/program/run/stage_weights.h"
#include "core/program/run/transfer_summary.h"
#include "support/download_rig.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::DownloadRig;
using test::SimChipWriter;
using Codes = std::vector<std::uint8_t>;

RunOptions EraseProgramVerify() { return {.erase = true, .program = true, .verify = true}; }

bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// Sizes of the data packets of one code, in order.
std::vector<std::size_t> PacketSizes(const SimChipWriter& writer, std::uint8_t code) {
  std::vector<std::size_t> sizes;
  for (const auto& r : writer.Requests()) {
    if (r[0] == code) sizes.push_back(r[1]);
  }
  return sizes;
}

// The pack line of a socket as it stood before each request went out.
class PackLineTrace {
 public:
  PackLineTrace(DownloadRig& rig, std::size_t socket) {
    rig.writer.onExchange = [this, &rig, socket](std::uint64_t) { lines.push_back(rig.view->PackLine(socket)); };
  }
  std::vector<std::string> lines;
};

// --- packets around the packet size ---

TEST(DownloadProgramTest, AOneByteFileTravelsWholeWithTheStartAddress) {
  DownloadRig rig;
  rig.AddFileBytes(2, {0x3C});
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xD0, 0xD3, 0xD1, 0xA8}));
  EXPECT_EQ(rig.writer.Requests()[2], (Codes{0xD3, 0x05, 0x00, 0x08, 0x00, 0x00, 0x3C}));
  EXPECT_EQ(rig.view->ProgressTexts(), (std::vector<std::string>{"Write: 1/1[byte]"}));
  EXPECT_EQ(rig.Boxes().back().rfind("Finish!!\r\n", 0), 0u);
}

TEST(DownloadProgramTest, ASixtyTwoByteFileIsTheFirstByteAndOneShortPacket) {
  DownloadRig rig;
  rig.AddFile(0, 62);
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(PacketSizes(rig.writer, 0xD4), (std::vector<std::size_t>{61}));
}

TEST(DownloadProgramTest, ASixtyThreeByteFileShowsOkAfterItsOnlyFullPacket) {
  DownloadRig rig;
  rig.AddFile(0, 63);
  PackLineTrace trace(rig, 4);
  rig.Run(RunOptions::ProgramOnly());
  ASSERT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xD0, 0xD3, 0xD4, 0xD1, 0xA8}));
  EXPECT_EQ(PacketSizes(rig.writer, 0xD4), (std::vector<std::size_t>{62}));
  EXPECT_EQ(trace.lines[3], "Auto Addr Prog  → OK!");
  EXPECT_EQ(trace.lines[4], "Auto Prog  → OK!");
}

TEST(DownloadProgramTest, ASixtyFourByteFileShowsOkOnlyAfterItsLastShortPacket) {
  DownloadRig rig;
  rig.AddFile(0, 64);
  PackLineTrace trace(rig, 0);
  rig.Run(RunOptions::ProgramOnly());
  ASSERT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xD0, 0xD3, 0xD4, 0xD4, 0xD1, 0xA8}));
  EXPECT_EQ(PacketSizes(rig.writer, 0xD4), (std::vector<std::size_t>{62, 1}));
  EXPECT_EQ(trace.lines[4], "Auto Addr Prog  → OK!");
  EXPECT_EQ(trace.lines[5], "Auto Prog  → OK!");
  EXPECT_EQ(rig.view->ProgressTexts(),
            (std::vector<std::string>{"Write: 1/64[byte]", "Write: 63/64[byte]", "Write: 64/64[byte]"}));
}

TEST(DownloadVerifyTest, ASixtyTwoByteFileIsOneFullPacketWithOkAfterIt) {
  DownloadRig rig;
  rig.AddFile(0, 62);
  PackLineTrace trace(rig, 6);
  rig.Run(RunOptions::VerifyOnly());
  ASSERT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xA5, 0xA6, 0xA7, 0xA8}));
  EXPECT_EQ(PacketSizes(rig.writer, 0xA6), (std::vector<std::size_t>{62}));
  EXPECT_EQ(trace.lines[2], "Verify Set Addr  → OK!");
  EXPECT_EQ(trace.lines[3], "Verify Data  → OK!");
}

TEST(DownloadVerifyTest, VerifySendsTheWholeFileAgainFromItsFirstByte) {
  DownloadRig rig;
  rig.AddFile(3, 130);
  rig.Run({.program = true, .verify = true});
  std::vector<std::uint8_t> programmed, verified;
  for (const auto& r : rig.writer.Requests()) {
    if (r[0] == 0xD3) programmed.push_back(r[6]);
    if (r[0] == 0xD4) programmed.insert(programmed.end(), r.begin() + 2, r.end());
    if (r[0] == 0xA6) verified.insert(verified.end(), r.begin() + 2, r.end());
  }
  EXPECT_EQ(programmed, verified);
  EXPECT_EQ(verified.size(), 130u);
  for (const auto& r : rig.writer.Requests()) {
    if (r[0] == 0xA5) {
      EXPECT_EQ(r, (Codes{0xA5, 0x08, 0x00, 0x0C, 0x00, 0x00, 130, 0x00, 0x00, 0x00}));
    }
  }
}

// --- progress ---

TEST(DownloadProgressTest, StageWeightsShareTheBarAmongTwoFiles) {
  DownloadRig rig;
  rig.AddFile(0, 100);
  rig.AddFile(1, 100);
  rig.Run(EraseProgramVerify());
  // erase 10, program 70, verify 20 of each file's half
  EXPECT_EQ(rig.view->Positions(), (std::vector<int>{0, 5, 27, 40, 46, 50, 55, 77, 90, 96, 100}));
  EXPECT_EQ(rig.view->Range(), (std::pair<int, int>{0, 100}));
  EXPECT_TRUE(rig.view->ShowsPercentage());
}

TEST(DownloadProgressTest, TheProgressCellMovesInQuartersAndAtTheLastPacket) {
  DownloadRig rig;
  rig.AddFile(0, 62 * 8 + 1);  // 8 full packets after the first byte, no tail
  rig.Run(RunOptions::ProgramOnly());
  // 63, 125, 187, ... bytes of 497: 12 %, 25 %, 37 %, 50 %, 62 %, 75 %, 87 %, 100 %
  EXPECT_EQ(rig.view->Cells(), (std::vector<std::pair<std::size_t, int>>{{0, 0}, {0, 25}, {0, 50}, {0, 75}, {0, 100}}));
}

TEST(DownloadProgressTest, TheEraseStageNamesEachSectorAndBlankChecksItWhenAsked) {
  DownloadRig rig;
  rig.AddFile(2, 2048 + 1);  // three sectors
  rig.Run({.erase = true, .blank = true});
  EXPECT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xC0, 0xC1, 0xC6, 0xA9, 0xC0, 0xC1, 0xC6, 0xA9, 0xC0, 0xC1, 0xC6, 0xA9, 0xA8}));
  EXPECT_EQ(rig.view->ProgressTexts(),
            (std::vector<std::string>{"Sector[02] Erased", "Sector[03] Erased", "Sector[04] Erased"}));
  EXPECT_EQ(rig.view->PackLine(0), "Sector Erase Complete  → OK!");
  EXPECT_EQ(rig.writer.Requests()[4], (Codes{0xA9, 0x08, 0x00, 0x08, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00}));
}

TEST(DownloadProgressTest, BlankCheckWithoutEraseChecksNothing) {
  DownloadRig rig;
  rig.AddFile(0, 10);
  rig.Run({.blank = true, .program = true, .verify = true});
  EXPECT_EQ(rig.writer.CountOf(0xA9), 0u);
  EXPECT_EQ(rig.view->PackLine(0), "Verify Complete  → OK!");
}

TEST(DownloadProgressTest, EachOptionSetSharesAFileAsItsTableSays) {
  struct Row {
    bool erase, program, verify;
    StageWeights weights;
  };
  const std::vector<Row> rows = {
      {true, true, true, {10, 70, 20}}, {true, true, false, {20, 80, 0}}, {true, false, true, {40, 0, 60}},
      {true, false, false, {100, 0, 0}}, {false, true, true, {0, 75, 25}}, {false, true, false, {0, 100, 0}},
      {false, false, true, {0, 0, 100}}, {false, false, false, {0, 0, 0}},
  };
  for (const Row& row : rows) {
    RunOptions options{.erase = row.erase, .program = row.program, .verify = row.verify};
    EXPECT_EQ(StageWeightsFor(options), row.weights) << row.erase << row.program << row.verify;
    options.eraseAll = options.blank = true;
    EXPECT_EQ(StageWeightsFor(options), row.weights) << "Erase All and Blank Check take no share";
  }
}

TEST(DownloadTimeReportTest, AClockThatWentBackCountsAsUnderOneSecond) {
  EXPECT_EQ(TransferTimeReport(-3, 500).summary, "Files Transfer Time < 1 sec (500 byte/sec)\r\n");
  EXPECT_EQ(EraseAllTimeReport(-1).summary, "Erase All Time < 1 sec\r\n");
  EXPECT_EQ(TransferTimeReport(3, 1000).summary, "Files Transfer Time = 3 sec (333 byte/sec)\r\n");
}

// --- the blank-check-only path ---

TEST(DownloadBlankCheckTest, TheBlankCheckButtonChecksEverySectorThenEndsTheChipsWork) {
  DownloadRig rig(test::SmallDevice(128));
  rig.AddFile(0, 10);
  rig.Run(RunOptions::BlankCheckOnly());
  Codes expected{0xA0};
  expected.insert(expected.end(), 128, 0xA9);
  expected.push_back(0xA8);
  EXPECT_EQ(rig.writer.Codes(), expected);
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Blank Check Complete!"}));
  EXPECT_EQ(rig.view->PackLine(6), "Blank Check Complete  → OK!");
  EXPECT_TRUE(rig.view->Positions().empty());
  EXPECT_FALSE(Contains(rig.Log(), "Time"));
}

TEST(DownloadBlankCheckTest, ASectorThatIsNotBlankFailsItsSocketOnly) {
  DownloadRig rig;
  rig.writer.SetFlash(5, 3 * 1024 + 7, {0x00});
  rig.Run(RunOptions::BlankCheckOnly());
  EXPECT_EQ(rig.view->PackLine(5), "Blank Check  → ERROR!");
  EXPECT_EQ(rig.view->PackColour(5), kPackColourFailed);
  EXPECT_EQ(rig.view->PackLine(4), "Blank Check Complete  → OK!");
}

// --- what the run stages and reports ---

TEST(DownloadRunTest, EraseAllAloneOpensAndSizesEachFileAndEndsWithAnEmptyCompletionLabel) {
  DownloadRig rig;
  rig.AddFile(0, 10);
  rig.AddFile(1, 2000);
  rig.Run({.eraseAll = true});
  EXPECT_EQ(rig.writer.CountOf(0xC1), 8u);
  EXPECT_EQ(rig.view->PackLine(0), "  → OK!");
  const std::string log = rig.Log();
  EXPECT_TRUE(Contains(log, Cp949("\r\nErase All Complete!\r\n")));
  EXPECT_TRUE(Contains(log, Cp949(" ☞ File Size = 2000\r\n")));
  EXPECT_TRUE(Contains(log, Cp949("\r\n ☞ <" + rig.job.paths[1] + "> File Open!\r\n")));
}

TEST(DownloadRunTest, AnEmptyJobWithEraseAllErasesAndReportsARateOfNothing) {
  DownloadRig rig;
  rig.clockReadings = {50, 53};
  rig.Run({.eraseAll = true, .erase = true, .program = true});
  EXPECT_EQ(rig.writer.CountOf(0xC1), 8u);
  EXPECT_EQ(rig.writer.CountOf(0xD0), 0u);
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Finish!!\r\nFiles Transfer Time = 3 sec (0 byte/sec)\r\n"}));
  EXPECT_FALSE(Contains(rig.Log(), "File Size"));
}

TEST(DownloadRunTest, TheTimeAndRateAreReportedFromTheRunsOwnClock) {
  DownloadRig rig;
  rig.AddFile(0, 600);
  rig.AddFile(1, 400);
  rig.clockReadings = {100, 104};
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Finish!!\r\nFiles Transfer Time = 4 sec (250 byte/sec)\r\n"}));
  EXPECT_TRUE(Contains(rig.Log(), "\r\n\r\n => Files Download Finish!\r\n\r\nTotal Transfer Time = 4 sec\r\n"
                                  "\r\nTransfer Rate  =  250 byte/sec\r\n\t \xA2\xBA COMM End\r\n"));
}

TEST(DownloadRunTest, ARunUnderOneSecondReportsTheTotalSizeAsItsRate) {
  DownloadRig rig;
  rig.AddFile(0, 600);
  rig.AddFile(1, 400);
  rig.clockReadings = {100};
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Finish!!\r\nFiles Transfer Time < 1 sec (1000 byte/sec)\r\n"}));
  EXPECT_TRUE(Contains(rig.Log(), "\r\nTotal Transfer Time < 1 sec\r\n\r\nTransfer Rate  =  1000 byte/sec\r\n"));
}

TEST(DownloadRunTest, TheWholeRunWritesEveryFileIntoEverySocket) {
  DownloadRig rig;
  rig.AddFile(0, 1500, 3);
  rig.AddFile(4, 777, 9);
  rig.view->checkSumChecked = true;
  rig.session.SetCounters({});
  rig.Run(EraseProgramVerify());
  const auto first = test::ReadBytes(rig.job.paths[0]);
  const auto second = test::ReadBytes(rig.job.paths[1]);
  for (std::size_t socket = 0; socket < 7; ++socket) {
    const auto flash = rig.writer.Flash(socket);
    EXPECT_EQ(std::string(flash.begin(), flash.begin() + 1500), first) << socket;
    EXPECT_EQ(std::string(flash.begin() + 4096, flash.begin() + 4096 + 777), second) << socket;
    EXPECT_EQ(rig.view->PackLine(socket), "Verify Complete  → OK!") << socket;
    EXPECT_EQ(rig.view->PackColour(socket), kPackColourRunning) << socket;
  }
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{7, 7, 0}));
}

// --- sockets that fail ---

TEST(DownloadSocketTest, AWrongChipIdDropsItsSocketAndCountsItAsAFailure) {
  DownloadRig rig;
  rig.AddFile(0, 100);
  rig.writer.chips[3].chipId = 0x11;
  rig.Run(EraseProgramVerify());
  EXPECT_EQ(rig.view->PackLine(3), "Read ID  → ERROR!");
  EXPECT_EQ(rig.view->PackColour(3), kPackColourFailed);
  EXPECT_EQ(rig.view->PackHistory(3).size(), 1u);
  EXPECT_EQ(rig.view->PackLine(2), "Verify Complete  → OK!");
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{7, 6, 1}));
}

TEST(DownloadSocketTest, TheExtendedReadIdChecksManufacturerThenDevice) {
  DownloadRig rig;
  rig.AddFile(0, 10);
  rig.writer.idForm = SimChipWriter::IdForm::Extended;
  rig.writer.chips[1].makerId = 0x00;
  rig.writer.chips[2].deviceId = 0x00;
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.view->PackLine(1), "InterFlash Manuf ID  → ERROR!");
  EXPECT_EQ(rig.view->PackLine(2), "InterFlash Device ID  → ERROR!");
  EXPECT_EQ(rig.view->PackHistory(0)[0], "Read ID  → OK!");
  EXPECT_EQ(rig.view->PackHistory(0)[1], "InterFlash Manuf ID  → OK!");
  EXPECT_EQ(rig.view->PackHistory(0)[2], "InterFlash Device ID  → OK!");
}

TEST(DownloadSocketTest, AStuckBitFailsTheChecksumOfItsSocketOnly) {
  DownloadRig rig;
  rig.AddFile(0, 200);
  rig.writer.chips[2].stuckBits[17] = 0x80;
  rig.view->checkSumChecked = true;
  rig.Run(EraseProgramVerify());
  auto flash = rig.writer.Flash(2);
  const std::uint32_t held = ChecksumOf(std::span(flash.data(), 200));
  EXPECT_EQ(rig.view->PackLine(2), FormatText("CheckSum(%08X)  → ERROR!", held));
  EXPECT_EQ(rig.view->PackHistory(1)[rig.view->PackHistory(1).size() - 2],
            FormatText("CheckSum(%08X)  → OK!", rig.job.checksums[0]));
  EXPECT_EQ(rig.view->PackLine(1), "Verify Complete  → OK!");
}

TEST(DownloadSocketTest, WithoutTheCheckSumBoxChecksumsAreNotCompared) {
  DownloadRig rig;
  rig.AddFile(0, 200);
  rig.writer.chips[2].stuckBits[17] = 0x80;
  rig.Run(EraseProgramVerify());
  EXPECT_EQ(rig.view->PackLine(2), "Verify Complete  → OK!");
}

TEST(DownloadSocketTest, EverySocketFailingEndsTheRunWithTheAllChipsBox) {
  DownloadRig rig;
  rig.AddFile(0, 10);
  for (std::size_t i = 0; i < 7; ++i) rig.writer.FailCommand(0xD0, i, 2);
  rig.session.SetCounters({});
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"All Chips are Error!(Program Enable Error)\r\nCheck your Vantrell!"}));
  EXPECT_TRUE(Contains(rig.Log(), "All Chips are Error!\r\n\t +  Error!\r\n\t ->  Exit Download!\r\n"));
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{7, 0, 7}));
}

// --- ends before the chips ---

TEST(DownloadStartTest, ALinkThatDoesNotOpenFailsEverySocket) {
  DownloadRig rig;
  rig.writer.openResult = 0;
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Orbelle USB Driver can't be Open!"}));
  EXPECT_EQ(rig.Log(), "Orbelle USB Driver can't be Open!\r\n\t +  Error!\r\n\t ->  Exit Download!\r\n");
  EXPECT_EQ(rig.session.LastChipAlive(), SocketFlags{});
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{7, 0, 7}));
}

TEST(DownloadStartTest, AFailedReadIdIsNamedBeforeTheLinkError) {
  DownloadRig rig;
  rig.writer.FaultAt(1, SimChipWriter::Fault::NoReply);
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Read ID Error!", "ReadUSB Error!"}));
}

TEST(DownloadStartTest, AnInvalidJobEndsWithACommErrorBeforeAnyChipIsWritten) {
  DownloadRig rig;
  rig.AddFile(9, 10);  // beyond the 8 sectors
  rig.Run(EraseProgramVerify());
  EXPECT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xA8}));
  EXPECT_EQ(rig.Boxes().size(), 1u);
  EXPECT_TRUE(Contains(rig.Log(), "\t +  COMM Error!\r\n\t \xA2\xBA COMM End\r\n\t ->  Exit Download!\r\n"));
}

// --- the data file ---

TEST(DownloadFileTest, AnEmptyFileIsNotProgrammedButIsVerifiedAgainstTheEmptyChecksum) {
  DownloadRig rig;
  rig.AddFileBytes(0, {});
  rig.AddFile(2, 10);
  rig.view->checkSumChecked = true;
  rig.Run(EraseProgramVerify());
  EXPECT_EQ(rig.writer.CountOf(0xD0), 1u);  // the second file only
  // The empty file's verify: its address and a length of 0, then Verify End.
  const auto requests = rig.writer.Requests();
  const auto setAddress = std::find_if(requests.begin(), requests.end(), [](const auto& r) { return r[0] == 0xA5; });
  ASSERT_NE(setAddress, requests.end());
  EXPECT_EQ(*setAddress, (std::vector<std::uint8_t>{0xA5, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ((*(setAddress + 1))[0], 0xA7);
  EXPECT_EQ(rig.job.checksums[0], 0xFFFFFFFFu);
  EXPECT_TRUE(Contains(rig.Log(), Cp949("\r\nSTART(☆). <Program Verify> Process\r\n\t ▶ Verify Set Addr\r\n"
                                          "\t ▶ Verify End\r\n\r\nEND(☆). <Program Verify> Process\r\n")));
  // Erase covers no sector, program passes at once, verify starts the cell again.
  EXPECT_EQ(rig.view->Cells()[0], (std::pair<std::size_t, int>{0, 0}));
  EXPECT_EQ(rig.view->Cells()[1], (std::pair<std::size_t, int>{0, 100}));
  EXPECT_EQ(rig.view->Cells()[2], (std::pair<std::size_t, int>{0, 0}));
  const auto history = rig.view->PackHistory(0);
  EXPECT_NE(std::find(history.begin(), history.end(), "CheckSum(FFFFFFFF)  → OK!"), history.end());
  EXPECT_EQ(rig.view->PackLine(0), "Verify Complete  → OK!");
  EXPECT_EQ(rig.Boxes().back().rfind("Finish!!", 0), 0u);
}

TEST(DownloadFileTest, AFileGoneBeforeItsTurnIsReportedByName) {
  DownloadRig rig;
  rig.AddFile(0, 10);
  const std::string second = rig.AddFile(1, 10);
  rig.writer.onExchange = [&](std::uint64_t n) {
    if (n == 2) std::filesystem::remove(second);
  };
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Cannot Open File!"}));
  EXPECT_TRUE(Contains(rig.Log(), "Cannot Open File! <- " + second + "\r\n\t +  COMM Error!\r\n"));
}

TEST(DownloadFileTest, AFileThatShrankIsNeverPaddedWithStaleBytes) {
  DownloadRig rig;
  const std::string path = rig.AddFile(0, 200);
  rig.writer.onExchange = [&](std::uint64_t n) {
    if (n == 2) std::filesystem::resize_file(path, 100);  // during Program Enable
  };
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(PacketSizes(rig.writer, 0xD4), (std::vector<std::size_t>{62}));  // bytes 1 to 62 only
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Failed to read selected file!"}));
  EXPECT_TRUE(Contains(rig.Log(), "Failed to read selected file! Write -> loopcnt = 1/3\r\n\t +  COMM Error!\r\n"));
}

TEST(DownloadFileTest, AShortTailIsNamedAsTheLastPiece) {
  DownloadRig rig;
  const std::string path = rig.AddFile(0, 100);
  rig.writer.onExchange = [&](std::uint64_t n) {
    if (n == 6) std::filesystem::resize_file(path, 90);  // after the program stage, during verify
  };
  rig.Run({.program = true, .verify = true});
  EXPECT_TRUE(Contains(rig.Log(), "Failed to read selected file! <- Verify last\r\n"));
  EXPECT_EQ(PacketSizes(rig.writer, 0xA6), (std::vector<std::size_t>{62}));
}

// --- link faults at every exchange ---

struct FaultEnding {
  SimChipWriter::Fault fault;
  std::string box;
  std::string logEnd;
};

TEST(DownloadLinkFaultTest, AFaultAtAnyExchangeEndsTheRunWithItsBoxAndLineAndClosesTheLink) {
  std::uint64_t exchanges = 0;
  {
    DownloadRig clean;
    clean.AddFile(0, 70);
    clean.AddFile(2, 1100);
    clean.Run({.erase = true, .blank = true, .program = true, .verify = true});
    exchanges = clean.writer.Exchanges();
  }
  ASSERT_GT(exchanges, 30u);
  const std::vector<FaultEnding> endings = {
      {SimChipWriter::Fault::SendFails, "WriteUSB Error!", "\t + WriteUSB Error!\r\n\t ->  Exit Download!\r\n"},
      {SimChipWriter::Fault::NoReply, "ReadUSB Error!", "\t + ReadUSB Error!\r\n\t ->  Exit Download!\r\n"},
  };
  for (const FaultEnding& ending : endings) {
    for (std::uint64_t k = 1; k <= exchanges; ++k) {
      DownloadRig rig;
      rig.AddFile(0, 70);
      rig.AddFile(2, 1100);
      rig.writer.FaultAt(k, ending.fault);
      rig.Run({.erase = true, .blank = true, .program = true, .verify = true});
      EXPECT_EQ(rig.Boxes().back(), ending.box) << k;
      const std::string log = rig.Log();
      EXPECT_EQ(log.substr(log.size() - ending.logEnd.size()), ending.logEnd) << k;
      EXPECT_EQ(rig.writer.Exchanges(), k) << "nothing sent after the fault " << k;
      EXPECT_FALSE(rig.writer.IsOpen()) << k;
      EXPECT_FALSE(rig.busy.IsBusy()) << k;
    }
  }
}

TEST(DownloadLinkFaultTest, AShortReplyAtAnyExchangeEndsWithACommErrorAndCommEnd) {
  for (std::uint64_t k = 1; k <= 12; ++k) {
    DownloadRig rig;
    rig.AddFile(0, 70);
    rig.writer.FaultAt(k, SimChipWriter::Fault::ShortReply, 5);
    rig.Run({.erase = true, .program = true, .verify = true});
    const std::string log = rig.Log();
    const std::string end = Cp949("\t +  COMM Error!\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n");
    ASSERT_GE(log.size(), end.size()) << k;
    EXPECT_EQ(log.substr(log.size() - end.size()), end) << k;
    EXPECT_EQ(rig.writer.Codes().back(), 0xA8) << k;
    EXPECT_FALSE(rig.writer.IsOpen()) << k;
  }
}

// --- started from the window, on a thread of its own ---

TEST(DownloadSessionTest, StartRunTurnsTheButtonsOffAndRunsOnAWorkerThread) {
  DownloadRig rig;
  rig.AddFile(0, 100);
  rig.session.SetOptions(EraseProgramVerify());
  ASSERT_TRUE(rig.session.StartRun(rig.job, rig.view));
  EXPECT_EQ(rig.view->DisableCount(), 1);
  rig.session.WaitForWorker();
  EXPECT_FALSE(rig.session.IsRunning());
  EXPECT_EQ(rig.view->RestoreCount(), 1);
  EXPECT_EQ(rig.view->PackLine(0), "Verify Complete  → OK!");
  EXPECT_EQ(rig.session.Job().paths, rig.job.paths);
  EXPECT_FALSE(rig.busy.IsBusy());
}

TEST(DownloadSessionTest, NoRunStartsWhileAnotherOperationHoldsTheLinkAndTheOperatorIsToldWhy) {
  DownloadRig rig;
  ASSERT_TRUE(rig.busy.TryAcquire());
  EXPECT_FALSE(rig.session.StartRun(rig.job, rig.view));
  EXPECT_FALSE(rig.session.StartEraseAll(rig.view));
  EXPECT_EQ(rig.view->DisableCount(), 0);
  const PromptMessage busy = ApplicationBox("The writer is busy. Try again when the current operation has finished.");
  EXPECT_EQ(rig.prompt.Shown(), (std::vector<PromptMessage>{busy, busy}));  // Erase All asks nothing
  EXPECT_TRUE(rig.writer.Requests().empty());
  EXPECT_EQ(rig.Log(), "");
}

// The window closes while the worker waits in its k-th exchange.
class AbandonTest : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(AbandonTest, AnAbandonedRunTouchesNothingMore) {
  const std::uint64_t k = GetParam();
  DownloadRig rig;
  rig.AddFile(0, 300);
  rig.session.SetOptions(EraseProgramVerify());
  rig.session.SetCounters({5, 5, 0});

  std::mutex mutex;
  std::condition_variable changed;
  bool reached = false;
  bool abandoned = false;
  rig.writer.onExchange = [&](std::uint64_t n) {
    if (n != k) return;
    std::unique_lock<std::mutex> lock(mutex);
    reached = true;
    changed.notify_all();
    changed.wait(lock, [&] { return abandoned; });
  };
  ASSERT_TRUE(rig.session.StartRun(rig.job, rig.view));
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return reached; });
  }
  const std::string logBefore = rig.Log();
  const auto packBefore = rig.view->PackHistory(0);
  const int restoresBefore = rig.view->RestoreCount();
  rig.session.Abandon();
  {
    std::lock_guard<std::mutex> lock(mutex);
    abandoned = true;
  }
  changed.notify_all();
  rig.session.WaitForWorker();

  EXPECT_EQ(rig.writer.Requests().size(), k - 1) << "the closed link took nothing more";
  EXPECT_EQ(rig.Log(), logBefore);
  EXPECT_EQ(rig.view->PackHistory(0), packBefore);
  EXPECT_EQ(rig.view->RestoreCount(), restoresBefore);
  EXPECT_TRUE(rig.prompt.Shown().empty());
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{5, 5, 0}));
  EXPECT_FALSE(rig.writer.IsOpen());
  EXPECT_FALSE(rig.busy.IsBusy());
  // The link is free again for the next run.
  rig.writer.onExchange = nullptr;
  ASSERT_TRUE(rig.session.StartRun(rig.job, rig.view));
  rig.session.WaitForWorker();
  EXPECT_EQ(rig.view->PackLine(0), "Verify Complete  → OK!");
}

INSTANTIATE_TEST_SUITE_P(AtExchanges, AbandonTest, ::testing::Values(1, 2, 5, 9, 14, 20));

TEST(DownloadSessionTest, DestroyingTheSessionAbandonsTheRunAndWaitsForTheWorker) {
  DownloadRig rig;
  rig.AddFile(0, 300);
  std::atomic<bool> waiting{false};
  // Like a driver whose Close ends a read blocked in another thread.
  rig.writer.onExchange = [&](std::uint64_t n) {
    if (n != 4) return;
    waiting = true;
    while (rig.writer.IsOpen()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  {
    ProgrammingSession session(rig.link, rig.prompt, rig.busy);
    session.SetDevice(rig.device);
    session.SetOptions(EraseProgramVerify());
    ASSERT_TRUE(session.StartRun(rig.job, rig.view));
    while (!waiting) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_FALSE(rig.busy.IsBusy());
  EXPECT_EQ(rig.writer.Requests().size(), 3u);
  EXPECT_EQ(rig.view->RestoreCount(), 0);
}

}  // namespace
}  // namespace vantrell
