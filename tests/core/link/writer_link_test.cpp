#include "core/link/writer_link.h"

#include <gtest/gtest.h>

#include "core/link/packet.h"
#include "support/fake_usb_driver.h"
#include "support/log_capture.h"

namespace vantrell {
namespace {

using test::FakeUsbDriver;

class WriterLinkTest : public ::testing::Test {
 protected:
  FakeUsbDriver driver;
  test::LogCapture capture;
  WriterLink link{driver, capture.log};
};

TEST_F(WriterLinkTest, OpenDropsAnyConnectionThenOpensDevice21) {
  EXPECT_TRUE(link.OpenLink());
  EXPECT_EQ(driver.calls, (std::vector<std::string>{"Close", "OpenDevice(21)"}));
}

TEST_F(WriterLinkTest, OpenFailsWhenTheDriverReturnsZero) {
  driver.openResult = 0;
  EXPECT_FALSE(link.OpenLink());
}

TEST_F(WriterLinkTest, ClearInputReadsOnceWithShortTimeoutAndLogsTheCount) {
  driver.reads.push_back({1, std::vector<std::uint8_t>(17, 0xEE)});
  driver.reads.push_back({1, std::vector<std::uint8_t>(64, 0xEE)});
  link.ClearInput();
  EXPECT_EQ(driver.calls, (std::vector<std::string>{"Read(64,100)"}));
  EXPECT_EQ(capture.Bytes(), "USB Buffer Data Clear[size = 17]\r\n");
}

TEST_F(WriterLinkTest, ClearInputLogsNothingWhenTheReadFails) {
  driver.reads.push_back({0, {}});
  link.ClearInput();
  EXPECT_EQ(capture.Bytes(), "");
}

TEST_F(WriterLinkTest, ClearInputLogsTheReportedCountEvenWhenZero) {
  driver.reads.push_back({1, {}});
  link.ClearInput();
  EXPECT_EQ(capture.Bytes(), "USB Buffer Data Clear[size = 0]\r\n");
}

TEST_F(WriterLinkTest, SendWritesTheWholeFrameWithLongTimeout) {
  RequestPacket request(0xF3);
  request.AddU32(0x01020304);
  EXPECT_EQ(link.SendRequest(request), 6u);
  EXPECT_EQ(driver.calls, (std::vector<std::string>{"Write(6,7000)"}));
  EXPECT_EQ(driver.written[0], (std::vector<std::uint8_t>{0xF3, 4, 0x04, 0x03, 0x02, 0x01}));
}

TEST_F(WriterLinkTest, SendFailsWhenWriteFailsOrSendsNothing) {
  driver.writeResult = 0;
  EXPECT_EQ(link.SendRequest(RequestPacket(0xF0)), 0u);
  driver.writeResult = 1;
  driver.writeCountOverride = 0;
  EXPECT_EQ(link.SendRequest(RequestPacket(0xF0)), 0u);
}

TEST_F(WriterLinkTest, ShortRepliesAreAcceptedAndOnlyZeroFails) {
  driver.reads.push_back({1, {0xF0, 4, 1}});
  ReplyPacket reply;
  EXPECT_EQ(link.ReceiveReply(reply), 3u);
  EXPECT_EQ(reply.ByteAt(2), 1);
  EXPECT_FALSE(reply.ByteAt(3).has_value());
  EXPECT_FALSE(reply.U16At(2).has_value());

  driver.reads.push_back({1, {}});
  EXPECT_EQ(link.ReceiveReply(reply), 0u);
  driver.reads.push_back({0, {1, 2, 3}});
  EXPECT_EQ(link.ReceiveReply(reply), 0u);
  EXPECT_EQ(driver.calls.back(), "Read(64,7000)");
}

TEST_F(WriterLinkTest, ADriverClaimingMoreThanTheBufferIsNotBelieved) {
  driver.reads.push_back({1, std::vector<std::uint8_t>(64, 0x11), 5000});
  ReplyPacket reply;
  EXPECT_EQ(link.ReceiveReply(reply), 64u);
  EXPECT_EQ(reply.Received().size(), 64u);
}

TEST(RequestPacket, FrameIsCodeLengthAndPayload) {
  RequestPacket p(0xF5);
  p.AddByte(62);
  EXPECT_EQ(std::vector<std::uint8_t>(p.Frame().begin(), p.Frame().end()), (std::vector<std::uint8_t>{0xF5, 1, 62}));
  EXPECT_EQ(RequestPacket(0xF0).Frame().size(), 2u);
}

TEST(RequestPacket, PayloadAbove62BytesIsRefused) {
  RequestPacket p(0xF4);
  std::vector<std::uint8_t> bytes(62, 1);
  p.AddBytes(bytes);
  EXPECT_EQ(p.Frame().size(), 64u);
  EXPECT_THROW(p.AddByte(0), std::length_error);
}

}  // namespace
}  // namespace vantrell
