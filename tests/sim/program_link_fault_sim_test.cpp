// Link faults injected by the writer simulator at every exchange of a whole
// download run: each ends the run with the right box and log line and leaves
// the link closed.
#include <gtest/gtest.h>

#include "program_sim_rig.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::ProgramSimRig;

RunOptions EveryStage() { return {.erase = true, .blank = true, .program = true, .verify = true}; }

void AddFiles(ProgramSimRig& rig) {
  rig.AddFile(0, ProgramSimRig::Pattern(130, 1));
  rig.AddFile(3, ProgramSimRig::Pattern(62, 2));
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::uint64_t ExchangesOfACleanRun() {
  ProgramSimRig rig(test::SmallSimDevice());
  AddFiles(rig);
  rig.Run(EveryStage());
  EXPECT_EQ(rig.Boxes().back().rfind("Finish!!", 0), 0u);
  return rig.sim.Status()["exchanges"].get<std::uint64_t>();
}

struct Ending {
  const char* kind;
  std::vector<std::string> boxes;  // the last boxes shown, in order
  std::string logEnd;
};

void ExpectEnding(std::uint64_t k, const Ending& ending) {
  SCOPED_TRACE(std::string(ending.kind) + " at exchange " + std::to_string(k));
  ProgramSimRig rig(test::SmallSimDevice());
  AddFiles(rig);
  rig.sim.Configure({{"no_reply_wait_ms", 0}, {"faults", {{{"exchange", k}, {"kind", ending.kind}, {"bytes", 5}}}}});
  rig.Run(EveryStage());
  const auto boxes = rig.Boxes();
  ASSERT_GE(boxes.size(), ending.boxes.size());
  EXPECT_EQ(std::vector<std::string>(boxes.end() - static_cast<long>(ending.boxes.size()), boxes.end()), ending.boxes);
  EXPECT_TRUE(EndsWith(rig.Log(), Cp949(ending.logEnd))) << rig.Log().substr(rig.Log().size() > 200 ? rig.Log().size() - 200 : 0);
  EXPECT_FALSE(rig.sim.Status()["open"].get<bool>());
  EXPECT_FALSE(rig.busy.IsBusy());
  EXPECT_EQ(rig.view->RestoreCount(), 1);
}

TEST(ProgramSimLinkFaultTest, ASendThatFailsAtAnyExchangeEndsWithTheWriteBox) {
  const std::uint64_t exchanges = ExchangesOfACleanRun();
  ASSERT_GT(exchanges, 20u);
  for (std::uint64_t k = 1; k <= exchanges; ++k) {
    ExpectEnding(k, {"send_fails", {"WriteUSB Error!"}, "\t + WriteUSB Error!\r\n\t ->  Exit Download!\r\n"});
  }
}

TEST(ProgramSimLinkFaultTest, AReplyThatNeverComesAtAnyExchangeEndsWithTheReadBox) {
  const std::uint64_t exchanges = ExchangesOfACleanRun();
  for (std::uint64_t k = 1; k <= exchanges; ++k) {
    ExpectEnding(k, {"no_reply", {"ReadUSB Error!"}, "\t + ReadUSB Error!\r\n\t ->  Exit Download!\r\n"});
  }
}

TEST(ProgramSimLinkFaultTest, AShortReplyAtAnyExchangeEndsWithACommErrorAndCommEnd) {
  const std::uint64_t exchanges = ExchangesOfACleanRun();
  for (std::uint64_t k = 2; k <= exchanges; ++k) {
    ExpectEnding(k, {"short_reply", {}, "\t +  COMM Error!\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n"});
  }
  // A Read ID cut short is named first.
  ExpectEnding(1, {"short_reply", {"Read ID Error!"}, "\t +  COMM Error!\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n"});
}

TEST(ProgramSimLinkFaultTest, ALinkThatDoesNotOpenSendsNothing) {
  ProgramSimRig rig(test::SmallSimDevice());
  AddFiles(rig);
  rig.sim.Configure({{"open_fails", true}});
  rig.Run(EveryStage());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Orbelle USB Driver can't be Open!"}));
  EXPECT_EQ(rig.Log(), "Orbelle USB Driver can't be Open!\r\n\t +  Error!\r\n\t ->  Exit Download!\r\n");
  EXPECT_EQ(rig.sim.Status()["exchanges"], 0);
}

}  // namespace
}  // namespace vantrell
