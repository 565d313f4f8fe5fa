// The writer link and the writer's identity exchange against the simulator,
// bound as the program binds its driver library.
#include <chrono>
#include <future>

#include <gtest/gtest.h>

#include "core/app/writer_exchange.h"
#include "core/app/writer_identity.h"
#include "core/link/writer_link.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"

namespace vantrell {
namespace {

using test::Cp949;

class SimLinkTest : public ::testing::Test {
 protected:
  test::SimHarness sim;
  test::LogCapture capture;
  WriterLink link{sim.Driver(), capture.log};
  test::ScriptedPrompt prompt;
  WriterExchange exchange{link, prompt};
};

TEST_F(SimLinkTest, IdentityExchangeLogsTheWholeTranscript) {
  sim.SetFirmware(test::MakeImage(0x0003, 0x0105, 100));
  ASSERT_TRUE(link.OpenLink());
  link.ClearInput();
  const auto identity = ExchangeIdentity(exchange);
  ASSERT_TRUE(identity);
  EXPECT_EQ(identity->number, 0x0003);
  EXPECT_EQ(identity->version, 0x0105);

  std::string rx = "f0 04 03 00 05 01 ";
  for (int i = 6; i < 64; ++i) rx += "00 ";
  const std::string expected = "\r\nSTART(\xA1\xD9). <Get Device Name & Version> Process\r\n"
                               ">> TX :f0 00 \r\n"
                               "<< RX :" + rx + "\r\n"
                               "\r\nEND(\xA1\xD9). <Get Device Name & Version> Process\r\n\r\n";
  EXPECT_EQ(capture.Bytes(), expected);
}

TEST_F(SimLinkTest, TheLatencyHoldsEachReplyBackFromItsRequest) {
  sim.Configure({{"latency_us", 300000}});
  ASSERT_TRUE(link.OpenLink());
  std::uint8_t request[2] = {0xF0, 0x00};
  std::uint8_t reply[64] = {};
  std::uint32_t count = 0;
  ASSERT_NE(sim.Driver().Write(request, 2, &count, 7000), 0);
  EXPECT_EQ(sim.Driver().Read(reply, 64, &count, 0), 0) << "the reply is not due yet";
  EXPECT_NE(sim.Driver().Read(reply, 64, &count, 7000), 0);
  EXPECT_EQ(reply[0], 0xF0);
}

TEST_F(SimLinkTest, ABlankWriterReportsTheUnregisteredNumber) {
  ASSERT_TRUE(link.OpenLink());
  const auto identity = ExchangeIdentity(exchange);
  ASSERT_TRUE(identity);
  EXPECT_EQ(identity->number, 0xFFFF);
}

TEST_F(SimLinkTest, AFailedOpenSendsNothing) {
  sim.Configure({{"open_fails", true}});
  EXPECT_FALSE(link.OpenLink());
  EXPECT_EQ(link.SendRequest(RequestPacket(0xF0)), 0u);
  EXPECT_EQ(sim.Status()["exchanges"], 0);
}

TEST_F(SimLinkTest, AReplyTooShortForNumberAndVersionIsAReceiveFailure) {
  sim.Configure({{"faults", {{{"exchange", 1}, {"kind", "short_reply"}, {"bytes", 5}}}}});
  ASSERT_TRUE(link.OpenLink());
  EXPECT_FALSE(ExchangeIdentity(exchange));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"ReadUSB Error!"});
  // The request is logged; no reply dump, no END; the failure line follows.
  EXPECT_EQ(capture.Bytes(), Cp949("\r\nSTART(☆). <Get Device Name & Version> Process\r\n>> TX :f0 00 \r\n"
                                   "ReadUSB Error! <Get Device Name & Version>\r\n"));
}

TEST_F(SimLinkTest, ASendFailureIsReportedBeforeAnyDump) {
  sim.Configure({{"faults", {{{"exchange", 1}, {"kind", "send_fails"}}}}});
  ASSERT_TRUE(link.OpenLink());
  EXPECT_FALSE(ExchangeIdentity(exchange));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"WriteUSB Error!"});
  EXPECT_EQ(capture.Bytes(), Cp949("\r\nSTART(☆). <Get Device Name & Version> Process\r\n"
                                   "WriteUSB Error! <Get Device Name & Version>\r\n"));
}

TEST_F(SimLinkTest, StaleInputWaitingAfterOpenIsClearedAndLogged) {
  sim.Configure({{"stale_input_on_open", 64}});
  ASSERT_TRUE(link.OpenLink());
  link.ClearInput();
  EXPECT_EQ(capture.Bytes(), "USB Buffer Data Clear[size = 64]\r\n");
  EXPECT_TRUE(ExchangeIdentity(exchange));
}

TEST_F(SimLinkTest, ClearInputWithNothingWaitingLogsNothing) {
  ASSERT_TRUE(link.OpenLink());
  link.ClearInput();
  EXPECT_EQ(capture.Bytes(), "");
}

TEST_F(SimLinkTest, CloseFromAnotherThreadReleasesABlockedReceive) {
  sim.Configure({{"faults", {{{"exchange", 1}, {"kind", "no_reply"}}}}});
  ASSERT_TRUE(link.OpenLink());
  ASSERT_EQ(link.SendRequest(RequestPacket(0xF0)), 2u);
  auto pending = std::async(std::launch::async, [this] {
    ReplyPacket reply;
    return link.ReceiveReply(reply);
  });
  // The receive blocks for its 7 s time-out unless the close wakes it.
  EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  link.CloseLink();
  ASSERT_EQ(pending.wait_for(std::chrono::seconds(3)), std::future_status::ready);
  EXPECT_EQ(pending.get(), 0u);
}

TEST_F(SimLinkTest, NothingMovesOverAClosedLink) {
  ASSERT_TRUE(link.OpenLink());
  link.CloseLink();
  ReplyPacket reply;
  EXPECT_EQ(link.SendRequest(RequestPacket(0xF0)), 0u);
  EXPECT_EQ(link.ReceiveReply(reply), 0u);
}

}  // namespace
}  // namespace vantrell
