// The writer firmware update against a scripted writer that records every
// request.
#include "core/app/firmware_update.h"

#include <gtest/gtest.h>

#include "core/link/writer_link.h"
#include "support/fake_usb_driver.h"
#include "support/log_capture.h"
#include "support/recording_main_view.h"
#include "support/scripted_prompt.h"

namespace vantrell {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::FakeUsbDriver;

// A writer that accepts everything and reads back what was written, except
// where a test tampers with it.
class UpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver.responder = [this](const Bytes& request) { return Answer(request); };
  }

  FakeUsbDriver::ReadResult Answer(const Bytes& request) {
    Bytes reply(64, 0);
    reply[0] = request[0];
    reply[1] = 1;
    if (request[0] == 0xF3) reply[2] = eraseState;
    if (request[0] == 0xF4) reply[2] = writeState;
    if (request[0] == 0xF5) {
      const std::size_t m = request[2];
      reply[1] = static_cast<std::uint8_t>(m);
      for (std::size_t i = 0; i < m && readBack < writerFlash.size(); ++i) reply[2 + i] = writerFlash[readBack++];
    }
    if (request[0] == 0xF4) writerFlash.insert(writerFlash.end(), request.begin() + 2, request.end());
    return {1, reply};
  }

  bool RunUpdate(const Bytes& image) {
    image_ = image;
    return UpdateWriterFirmware({link, prompt, view, image_, cancel});
  }

  std::vector<Bytes> RequestsWithCode(std::uint8_t code) const {
    std::vector<Bytes> out;
    for (const auto& w : driver.written)
      if (w[0] == code) out.push_back(w);
    return out;
  }

  FakeUsbDriver driver;
  test::LogCapture capture;
  WriterLink link{driver, capture.log};
  test::ScriptedPrompt prompt;
  test::RecordingUpdateView view;
  CancellationToken cancel;
  std::uint8_t eraseState = 0;
  std::uint8_t writeState = 0;
  Bytes writerFlash;
  std::size_t readBack = 0;
  Bytes image_;
};

Bytes Pattern(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 13 + 1);
  return b;
}

TEST_F(UpdateTest, SectorCountRoundsUpToWhole128KbSectors) {
  EXPECT_EQ(SectorsFor(0), 0u);
  EXPECT_EQ(SectorsFor(131072), 1u);
  EXPECT_EQ(SectorsFor(131073), 2u);
  ASSERT_TRUE(RunUpdate(Pattern(131073)));
  const auto erase = RequestsWithCode(0xF3);
  ASSERT_EQ(erase.size(), 1u);
  EXPECT_EQ(erase[0], (Bytes{0xF3, 4, 2, 0, 0, 0}));
}

TEST_F(UpdateTest, A64ByteImageIsTwoWritesAndTwoVerifyRequests) {
  ASSERT_TRUE(RunUpdate(Pattern(64)));
  const auto writes = RequestsWithCode(0xF4);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].size(), 34u);
  EXPECT_EQ(writes[1].size(), 34u);
  EXPECT_EQ(writes[1][1], 32);
  const auto verifies = RequestsWithCode(0xF5);
  ASSERT_EQ(verifies.size(), 2u);
  EXPECT_EQ(verifies[0], (Bytes{0xF5, 1, 62}));
  EXPECT_EQ(verifies[1], (Bytes{0xF5, 1, 2}));
  EXPECT_EQ(view.byteCounter, "Verify: 64/64[byte]");
  EXPECT_EQ(view.progress, view.progressUpper);
}

TEST_F(UpdateTest, TheLastWriteCarriesTheRemainder) {
  ASSERT_TRUE(RunUpdate(Pattern(70)));
  const auto writes = RequestsWithCode(0xF4);
  ASSERT_EQ(writes.size(), 3u);
  Bytes last{0xF4, 6};
  const Bytes image = Pattern(70);
  last.insert(last.end(), image.begin() + 64, image.end());
  EXPECT_EQ(writes[2], last);
  EXPECT_EQ(writerFlash, Pattern(70));
}

TEST_F(UpdateTest, SuccessClosesTheLinkThenOpensTheDeviceWindow) {
  ASSERT_TRUE(RunUpdate(Pattern(100)));
  EXPECT_EQ(driver.calls.back(), "Close");
  EXPECT_EQ(view.statuses.back(), " Execute Binary File Loading Complete!");
  EXPECT_EQ(view.finished, 1);
  EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(UpdateTest, AnEmptyImageWritesNothingAndSucceeds) {
  ASSERT_TRUE(RunUpdate({}));
  EXPECT_EQ(RequestsWithCode(0xF3)[0], (Bytes{0xF3, 4, 0, 0, 0, 0}));
  EXPECT_TRUE(RequestsWithCode(0xF4).empty());
  EXPECT_TRUE(RequestsWithCode(0xF5).empty());
  EXPECT_EQ(view.finished, 1);
}

TEST_F(UpdateTest, EraseStateErrorSaysSectorEraseError) {
  eraseState = 0xFF;
  EXPECT_FALSE(RunUpdate(Pattern(64)));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Sector Erase Error!"});
  const std::string log = capture.Bytes();
  EXPECT_NE(log.find("State Error! <Flash Erase>\r\n\t rx state = 0xff\r\n"), std::string::npos);
  EXPECT_EQ(view.statuses.back(), " Execute Binary File Loading Error!");
  EXPECT_EQ(view.finished, 0);
}

TEST_F(UpdateTest, WriteStateErrorSaysStateErrorWithTheAddress) {
  writeState = 0xFF;
  EXPECT_FALSE(RunUpdate(Pattern(64)));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"State Error!"});
  EXPECT_NE(capture.Bytes().find("State Error! <Flash Write>\r\n\t rx state = 0xff\r\n\t Address = 0x0\r\n"),
            std::string::npos);
}

TEST_F(UpdateTest, MismatchInTheLastPartialVerifyHasNoRxHeader) {
  driver.responder = [this](const Bytes& request) {
    auto r = Answer(request);
    if (request[0] == 0xF5 && request[2] == 2) r.bytes[3] ^= 0x01;
    return r;
  };
  EXPECT_FALSE(RunUpdate(Pattern(64)));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Verify Error!"});
  const std::string log = capture.Bytes();
  const std::string expected = test::Cp949(
      "Verify Error!\r\n\t Address = 0x3e <- last\r\n☞ Tx Data:\r\n27 34 \r\n\r\n☞ Rx Data:\r\n27 35 \r\n");
  EXPECT_NE(log.find(expected), std::string::npos) << log;
  EXPECT_EQ(log.find("Rx Header"), std::string::npos);
}

TEST_F(UpdateTest, MismatchInAFullVerifyDumpsHeaderAndData) {
  driver.responder = [this](const Bytes& request) {
    auto r = Answer(request);
    if (request[0] == 0xF5 && request[2] == 62) r.bytes[2] ^= 0x80;
    return r;
  };
  EXPECT_FALSE(RunUpdate(Pattern(64)));
  const std::string log = capture.Bytes();
  EXPECT_NE(log.find("Error! <Flash Verify>\r\n\t Address = 0x0\r\n"), std::string::npos);
  EXPECT_NE(log.find(test::Cp949("\r\n☞ Rx Header:\r\nf5 3e \r\n☞ Rx Data:\r\n81 ")), std::string::npos);
}

TEST_F(UpdateTest, AShortVerifyReplyIsAReceiveFailureNotAComparisonPastItsEnd) {
  driver.responder = [this](const Bytes& request) {
    auto r = Answer(request);
    if (request[0] == 0xF5) r.bytes.resize(10);
    return r;
  };
  EXPECT_FALSE(RunUpdate(Pattern(64)));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"ReadUSB Error!"});
  EXPECT_NE(capture.Bytes().find("ReadUSB Error! <Flash Verify>\r\n"), std::string::npos);
}

TEST_F(UpdateTest, PhasesAreLoggedInOrderWithTheirMarkers) {
  ASSERT_TRUE(RunUpdate(Pattern(10)));
  const std::string log = capture.Bytes();
  std::size_t at = 0;
  for (const char* phase : {"Update Start", "Flash ID Read", "Flash Erase", "Flash Write", "Flash Verify"}) {
    const std::string start = test::Cp949(std::string("\r\nSTART(☆). <") + phase + "> Process\r\n");
    const std::string end = test::Cp949(std::string("\r\nEND(☆). <") + phase + "> Process\r\n\r\n");
    at = log.find(start, at);
    ASSERT_NE(at, std::string::npos) << phase;
    at = log.find(end, at);
    ASSERT_NE(at, std::string::npos) << phase;
  }
  EXPECT_NE(log.find("\tBoard's Flash ID = 0x0000\r\n"), std::string::npos);
}

TEST_F(UpdateTest, AnAbandonedUpdateShowsNothingMoreAndLeavesTheLinkAlone) {
  driver.responder = [this](const Bytes& request) {
    if (request[0] == 0xF3) cancel.Cancel();  // the window closes during the erase
    return Answer(request);
  };
  EXPECT_FALSE(RunUpdate(Pattern(64)));
  EXPECT_TRUE(RequestsWithCode(0xF4).empty());
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(view.finished, 0);
  EXPECT_NE(view.statuses.back(), " Execute Binary File Loading Error!");
  EXPECT_NE(driver.calls.back(), "Close");
}

}  // namespace
}  // namespace vantrell
