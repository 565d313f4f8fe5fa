// The firmware update against the simulated writer, end to end.
#include <gtest/gtest.h>

#include "core/app/firmware_update.h"
#include "core/app/writer_exchange.h"
#include "core/app/writer_identity.h"
#include "core/link/writer_link.h"
#include "support/log_capture.h"
#include "support/recording_main_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"

namespace vantrell {
namespace {

class FirmwareUpdateSimTest : public ::testing::Test {
 protected:
  bool Update(const std::vector<std::uint8_t>& image) {
    if (!link.OpenLink()) return false;
    return UpdateWriterFirmware({link, prompt, view, image, CancellationToken()});
  }
  WriterIdentity AskIdentity() {
    EXPECT_TRUE(link.OpenLink());
    WriterExchange exchange(link, prompt);
    return ExchangeIdentity(exchange).value_or(WriterIdentity{});
  }

  test::SimHarness sim;
  test::LogCapture capture;
  WriterLink link{sim.Driver(), capture.log};
  test::ScriptedPrompt prompt;
  test::RecordingUpdateView view;
};

TEST_F(FirmwareUpdateSimTest, TheWriterRunsTheNewImageAfterwardsAlsoAfterARestart) {
  sim.SetFirmware(test::MakeImage(2, 0x0100, 5000));
  ASSERT_TRUE(Update(test::MakeImage(7, 0x0105, 40000)));
  EXPECT_EQ(view.byteCounter, "Verify: 40000/40000[byte]");
  EXPECT_FALSE(sim.Status()["open"].get<bool>()) << "the link is closed at the end";
  EXPECT_EQ(AskIdentity().number, 7);
  sim.Restart();
  const WriterIdentity after = AskIdentity();
  EXPECT_EQ(after.number, 7);
  EXPECT_EQ(after.version, 0x0105);
}

// 100 bytes: start, flash ID, erase, 4 writes, 2 verifies = 9 exchanges.
TEST_F(FirmwareUpdateSimTest, ALinkFailureInAnyExchangeEndsWithTheErrorStatusAndNoWindow) {
  for (int k = 1; k <= 9; ++k) {
    for (const char* kind : {"send_fails", "short_reply"}) {
      SCOPED_TRACE(std::string(kind) + " at exchange " + std::to_string(k));
      test::RecordingUpdateView fresh;
      test::ScriptedPrompt boxes;
      sim.Configure({{"faults", {{{"exchange", k}, {"kind", kind}, {"bytes", 1}}}}});
      ASSERT_TRUE(link.OpenLink());
      EXPECT_FALSE(UpdateWriterFirmware({link, boxes, fresh, test::MakeImage(4, 0x0101, 100), CancellationToken()}));
      EXPECT_EQ(fresh.statuses.back(), " Execute Binary File Loading Error!");
      EXPECT_EQ(fresh.finished, 0);
      ASSERT_EQ(boxes.Texts().size(), 1u);
      EXPECT_EQ(boxes.Texts()[0], std::string(kind) == "send_fails" ? "WriteUSB Error!" : "ReadUSB Error!");
      EXPECT_FALSE(sim.Status()["open"].get<bool>());
    }
  }
}

}  // namespace
}  // namespace vantrell
