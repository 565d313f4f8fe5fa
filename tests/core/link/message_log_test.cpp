#include "core/link/message_log.h"

#include <gtest/gtest.h>

#include "core/common/busy_lease.h"
#include "core/app/log_buffering.h"
#include "core/link/log_markers.h"
#include "support/log_capture.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::LogCapture;

TEST(MessageLog, WritesMessagesBackToBackAsCp949) {
  LogCapture capture;
  capture.log.LogMessage("First file name is %s\r\n", "a.bin");
  capture.log.LogText("☆ 현재");
  EXPECT_EQ(capture.Bytes(), "First file name is a.bin\r\n\xA1\xD9 " + Cp949("현재"));
}

TEST(MessageLog, CutsLongMessagesAt1999Bytes) {
  LogCapture capture;
  capture.log.LogMessage("%s", std::string(5000, 'x').c_str());
  EXPECT_EQ(capture.Bytes(), std::string(1999, 'x'));
}

TEST(MessageLog, ExactlyMaximumLengthIsKept) {
  LogCapture capture;
  capture.log.LogText(std::string(1999, 'y'));
  EXPECT_EQ(capture.Bytes().size(), 1999u);
}

TEST(MessageLog, CutNeverSplitsADoubleByteCharacter) {
  LogCapture capture;
  // 1998 single bytes then a Hangul syllable (2 bytes in CP949): the
  // syllable does not fit whole and is left out.
  capture.log.LogText(std::string(1998, 'a') + "가나");
  const std::string bytes = capture.Bytes();
  EXPECT_EQ(bytes, std::string(1998, 'a'));
}

TEST(MessageLog, AnyBytesAreLoggedWithoutHarm) {
  LogCapture capture;
  std::string junk;
  for (int i = 0; i < 256; ++i) junk.push_back(static_cast<char>(i));
  capture.log.LogText(junk);
  const std::string bytes = capture.Bytes();
  EXPECT_EQ(bytes.substr(0, 128), junk.substr(0, 128));
  EXPECT_LE(bytes.size(), 256u);
}

TEST(MessageLogHexDump, IsLowerCaseBytesEachFollowedByBlank) {
  LogCapture capture;
  const std::uint8_t bytes[] = {0xF0, 0x00, 0xAB, 0x0c};
  capture.log.LogHexDump(bytes, 4);
  EXPECT_EQ(capture.Bytes(), "f0 00 ab 0c \r\n");
}

TEST(MessageLogHexDump, SixtyTwoBytesMakeOneLineOf186CharactersAndCrLf) {
  LogCapture capture;
  std::uint8_t bytes[62];
  for (int i = 0; i < 62; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  capture.log.LogHexDump(bytes, 62);
  const std::string line = capture.Bytes();
  ASSERT_EQ(line.size(), 186u + 2u);
  EXPECT_EQ(line.substr(186), "\r\n");
  EXPECT_EQ(line.find('\n'), 187u);
}

TEST(MessageLogHexDump, NoBytesLogsJustTheLineEnd) {
  LogCapture capture;
  capture.log.LogHexDump(nullptr, 0);
  EXPECT_EQ(capture.Bytes(), "\r\n");
}

TEST(MessageLogFile, IsCreatedEmptyAtEveryStart) {
  test::TempDir dir;
  const std::string path = dir.File("Vantrell Log.txt");
  {
    MessageLog first;
    ASSERT_TRUE(first.Create(path));
    first.LogText("first run\r\n");
  }
  {
    MessageLog second;
    ASSERT_TRUE(second.Create(path));
    second.LogText("second run\r\n");
  }
  EXPECT_EQ(test::ReadBytes(path), "second run\r\n");
}

TEST(MessageLogFile, WithoutAFileMessagesAreDropped) {
  test::TempDir dir;
  MessageLog log;
  EXPECT_FALSE(log.Create(dir.Path()));  // a directory cannot be opened as the log
  EXPECT_FALSE(log.IsOpen());
  log.LogMessage("%s %d\r\n", "nothing", 1);
  log.LogHexDump(reinterpret_cast<const std::uint8_t*>("ab"), 2);
}

TEST(MessageLogFile, IsOnDiskAtOnceBetweenOperationsAndWhenAnOperationGivesTheLinkBack) {
  test::TempDir dir;
  const std::string path = dir.File("Vantrell Log.txt");
  MessageLog log;
  ASSERT_TRUE(log.Create(path));
  BusyState busy;
  BufferLogDuringOperations(busy, log);
  log.LogText("selected\r\n");
  EXPECT_EQ(test::ReadBytes(path), "selected\r\n");
  {
    std::optional<BusyLease> lease = BusyLease::TryTake(busy);
    log.LogText("exchange\r\n");
    EXPECT_EQ(test::ReadBytes(path), "selected\r\n") << "buffered while the operation runs";
  }
  EXPECT_EQ(test::ReadBytes(path), "selected\r\nexchange\r\n");
}

TEST(MessageLogFile, PathIsTheExecutableWithoutExtensionAndLogSuffix) {
  EXPECT_EQ(LogPathForExecutable("D:\\Tools\\Vantrell.exe"), "D:\\Tools\\Vantrell Log.txt");
  EXPECT_EQ(LogPathForExecutable("/opt/vantrell/Vantrell"), "/opt/vantrell/Vantrell Log.txt");
  EXPECT_EQ(LogPathForExecutable("/opt/v.1/Vantrell"), "/opt/v.1/Vantrell Log.txt");
}

TEST(LogMarkers, WriterCommandsEndWithALeadingLineBreak) {
  EXPECT_EQ(StartMarker("Update Start"), "\r\nSTART(☆). <Update Start> Process\r\n");
  EXPECT_EQ(EndMarker(CommandFamily::Writer, "Update Start"), "\r\nEND(☆). <Update Start> Process\r\n\r\n");
}

TEST(LogMarkers, ChipAndNandCommandsEndWithoutLeadingLineBreak) {
  EXPECT_EQ(EndMarker(CommandFamily::Chip, "Read ID"), "END(☆). <Read ID> Process\r\n\r\n");
  EXPECT_EQ(EndMarker(CommandFamily::Nand, "Erase Block"), "END(☆). <Erase Block> Process\r\n\r\n");
  EXPECT_EQ(EndMarkerWithoutProcess("NDFL Program Start"), "END(☆). <NDFL Program Start\r\n\r\n");
}

TEST(LogMarkers, StarIsWrittenAsItsCp949Bytes) {
  LogCapture capture;
  capture.log.LogText(StartMarker("X"));
  EXPECT_EQ(capture.Bytes(), "\r\nSTART(\xA1\xD9). <X> Process\r\n");
}

}  // namespace
}  // namespace vantrell
