// A small complete download run, logged byte for byte: two files, and three
// sockets that fail in different stages (Read ID, Sector Erase, CheckSum).
// Any drift in a log text shows up here.
#include <gtest/gtest.h>

#include "core/program/job/file_checksum.h"
#include "support/download_rig.h"

namespace vantrell {
namespace {

using test::Cp949;

std::string SectorErase(const char* address) {
  return std::string("\r\nSTART(☆). <Sector Erase> Process\r\n"
                     "\t ▶ Sector Erase Enable\r\n"
                     "\t ▶ Sector Erase\r\n"
                     "\t\tErase Address = ") + address + "\r\n"
                     "\t ▶ Sector Erase Disable\r\n"
                     "END(☆). <Sector Erase> Process\r\n\r\n";
}

std::string Programming(const char* address) {
  return std::string("\r\nSTART(☆). <Programming> Process\r\n"
                     "\t ▶ Program Enable\r\n"
                     "\t ▶ AAI Auto Address\r\n"
                     "\t\tAuto Address = ") + address + "\r\n"
                     "\t ▶ Program Disable\r\n"
                     "END(☆). <Programming> Process\r\n\r\n";
}

const char* const kVerify = "\r\nSTART(☆). <Program Verify> Process\r\n"
                            "\t ▶ Verify Set Addr\r\n"
                            "\t ▶ Verify End\r\n"
                            "\r\nEND(☆). <Program Verify> Process\r\n";

TEST(ChipGoldenLogTest, ASmallRunWithThreeFailingSocketsLogsExactlyThis) {
  test::DownloadRig rig(test::SmallDevice(4));
  const std::string first = rig.AddFile(0, 70);
  const std::string second = rig.AddFile(2, 5);
  rig.writer.chips[2].chipId = 0x11;
  rig.writer.FailCommand(0xC1, 4, 2, 1);
  rig.writer.chips[6].stuckBits[3] = 0x01;
  rig.view->checkSumChecked = true;
  rig.clockReadings = {100, 102};
  rig.session.SetCounters({});

  rig.Run({.erase = true, .blank = true, .program = true, .verify = true});

  const std::string expected =
      std::string("\r\nSTART(☆). <Read ID> Process\r\n"
                  "\tChip00 ID = 0x5A\r\n"
                  "\tChip01 ID = 0x5A\r\n"
                  "\tChip02 ID = 0x11\r\n"
                  "\tChip03 ID = 0x5A\r\n"
                  "\tChip04 ID = 0x5A\r\n"
                  "\tChip05 ID = 0x5A\r\n"
                  "\tChip06 ID = 0x5A\r\n"
                  "END(☆). <Read ID> Process\r\n\r\n"
                  " ☞ File Size = 70\r\n"
                  " ☞ File Size = 5\r\n"
                  "\r\n\r\n\r\n"
                  "---------------------------------------\r\n"
                  "--------  Start File Download  --------\r\n"
                  "---------------------------------------\r\n\r\n"
                  "Current Device Chip ID = 0x5A\r\n"
                  "Current Device Sector Size = 1[KB]\r\n"
                  "Current Device Flash Size = 4[KB]\r\n"
                  "\r\n\r\n\r\n <<<<<<<< 1th File Write >>>>>>>> \r\n"
                  "\r\n ☞ <") + first + "> File Open!\r\n"
      " ☞ File Size = 70\r\n"
      "☞ Total Erase Sector Count = 1\r\n" +
      SectorErase("0x0000") +
      "\t\tSector[00] erased!\r\n"
      "\t ▶ Flash Blank Check\r\n" +
      Programming("0x0000") + kVerify +
      "\r\n\r\n\r\n <<<<<<<< 2th File Write >>>>>>>> \r\n"
      "\r\n ☞ <" + second + "> File Open!\r\n"
      " ☞ File Size = 5\r\n"
      "☞ Total Erase Sector Count = 1\r\n" +
      SectorErase("0x0800") +
      "\t\tSector[02] erased!\r\n"
      "\t ▶ Flash Blank Check\r\n" +
      Programming("0x0800") + kVerify +
      "\r\n\r\n => Files Download Finish!\r\n"
      "\r\nTotal Transfer Time = 2 sec\r\n"
      "\r\nTransfer Rate  =  37 byte/sec\r\n"
      "\t ▶ COMM End\r\n"
      "\t ->  Exit Download!\r\n";
  EXPECT_EQ(rig.Log(), Cp949(expected));

  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Finish!!\r\nFiles Transfer Time = 2 sec (37 byte/sec)\r\n"}));
  EXPECT_EQ(rig.view->PackLine(0), "Verify Complete  → OK!");
  EXPECT_EQ(rig.view->PackLine(2), "Read ID  → ERROR!");
  EXPECT_EQ(rig.view->PackLine(4), "Sector Erase  → ERROR!");
  auto flash = rig.writer.Flash(6);
  EXPECT_EQ(rig.view->PackLine(6),
            "CheckSum(" + ChecksumText(ChecksumOf(std::span(flash.data(), 70))) + ")  → ERROR!");
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{7, 4, 3}));
}

}  // namespace
}  // namespace vantrell
