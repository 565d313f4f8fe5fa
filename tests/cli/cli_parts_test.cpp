// The parts of vantrell-cli that decide on their own: file arguments, exit
// codes, progress pacing and its line, the events made of a run's account,
// questions, and the README's event schema.
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/app/exit_codes.h"
#include "cli/app/interrupt.h"
#include "cli/host/cli_prompt.h"
#include "cli/host/download_events.h"
#include "cli/host/job_arguments.h"
#include "cli/host/nand_events.h"
#include "cli/output/event_output.h"
#include "cli/output/progress_line.h"
#include "cli/output/progress_throttle.h"
#include "cli/output/socket_event.h"
#include "cli/output/terminal_output.h"
#include "event_schema.h"

namespace vantrell::cli::test {
namespace {

using namespace std::chrono_literals;

class RecordedEvents final : public EventOutput {
 public:
  void Emit(const Event& event) override { events.push_back(event); }
  std::vector<std::string> Field(const char* kind, const char* key) const {
    std::vector<std::string> values;
    for (const Event& e : events) {
      if (e["event"] != kind) continue;
      const Event value = e.value(key, Event());
      values.push_back(value.is_string() ? value.get<std::string>() : value.dump());
    }
    return values;
  }
  std::vector<Event> events;
};

TEST(CliPartsTest, FileArgumentsTakeTheSectorAfterTheLastAt) {
  std::string error;
  auto parse = [&](const std::string& text) { return ParseFileArgument(text, error); };
  EXPECT_EQ(parse("a.bin")->sector, 0);
  EXPECT_EQ(parse("dir/a.bin@12")->path, "dir/a.bin");
  EXPECT_EQ(parse("dir/a.bin@12")->sector, 12);
  EXPECT_EQ(parse("me@host/a.bin")->path, "me@host/a.bin");
  EXPECT_EQ(parse("a.bin@2147483647")->sector, 2147483647);
  for (const char* bad : {"a.bin@2147483648", "a.bin@-1", "a.bin@99999999999999999999", "@5"}) {
    EXPECT_FALSE(parse(bad)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

TEST(CliPartsTest, ChipRunsMapToTheDocumentedExitCodes) {
  EXPECT_EQ(ExitForChipRun(LinkResult::Finished, 7, 7), ExitCode::AllPassed);
  EXPECT_EQ(ExitForChipRun(LinkResult::Finished, 7, 6), ExitCode::SomeFailed);
  EXPECT_EQ(ExitForChipRun(LinkResult::Reported, 7, 0), ExitCode::AllFailed);
  EXPECT_EQ(ExitForChipRun(LinkResult::Reported, 7, 0, false), ExitCode::LinkError);
  for (LinkResult link : {LinkResult::WriteUsbError, LinkResult::ReadUsbError, LinkResult::CommError}) {
    EXPECT_EQ(ExitForChipRun(link, 7, 7), ExitCode::LinkError);
  }
}

TEST(CliPartsTest, NandOperationsMapToTheDocumentedExitCodes) {
  EXPECT_EQ(ExitForNandRun(LinkResult::Finished), ExitCode::AllPassed);
  EXPECT_EQ(ExitForNandRun(LinkResult::BadBlock), ExitCode::AllFailed);
  EXPECT_EQ(ExitForNandRun(LinkResult::Reported), ExitCode::BadInput);
  EXPECT_EQ(ExitForNandRun(LinkResult::Reported, false), ExitCode::LinkError);
  EXPECT_EQ(ExitForNandRun(LinkResult::CommError), ExitCode::LinkError);
}

TEST(CliPartsTest, ProgressGoesOutAtMostTenTimesASecondAndAlwaysAtTheEnd) {
  ProgressThrottle throttle;
  const auto t0 = ProgressThrottle::Clock::time_point{} + 1h;
  int admitted = 0;
  for (int ms = 0; ms < 1000; ++ms) admitted += throttle.Admit(ms, 5000, t0 + std::chrono::milliseconds(ms)) ? 1 : 0;
  EXPECT_EQ(admitted, 10);
  EXPECT_TRUE(throttle.Admit(5000, 5000, t0 + 1001ms));
}

TEST(CliPartsTest, TheProgressLineShowsPercentageAmountsRateAndTimeLeft) {
  EXPECT_EQ(ProgressLineText({"Program", 2300, 4600, "byte", 2.0}), "  Program  50%  2.2 KiB of 4.5 KiB  1.1 KiB/s  0:02 left");
  EXPECT_EQ(ProgressLineText({"Sector Erase", 3, 12, "sector", 1.0}), "  Sector Erase  25%  3 of 12 sectors  3.0 sectors/s  0:03 left");
  EXPECT_EQ(ProgressLineText({"Verify", 10, 100, "byte", 0.01}), "  Verify  10%  10 B of 100 B  --:-- left");
  EXPECT_EQ(ProgressLineText({"Verify", 0, 0, "byte", 0}), "  Verify 100%  0 B of 0 B  0:00 left");
}

// One run's account with the window texts a run shows on the way; texts is
// the pack line every socket shows at each step.
void PlayRun(DownloadWindowView& view, const std::array<std::string, 3>& texts) {
  view.SetPackLine(0, texts[0]);
  view.StageEntered({OperationStage::FlashEraseAll, std::nullopt, 32, StageUnit::Sector});
  view.SetProgressText(texts[1]);
  view.StageProgress(32);
  view.StageEntered({OperationStage::Program, 0, 200, StageUnit::Byte});
  view.SetByteProgress({"Write", 62, 200});
  view.StageProgress(62);
  view.StageProgress(200);
  view.SetPackLine(1, texts[2]);
  view.SocketJudged(SocketVerdict::Of(0, SocketOutcome::Passed));
  view.SocketJudged(SocketVerdict::Of(1, SocketOutcome::FailedAtStage, "Auto Prog"));
  OperationEnd end;
  end.code = LinkResult::WriteUsbError;
  end.bytes = 200;
  view.OperationEnded(end);
}

TEST(CliPartsTest, EventsComeFromTheRunsAccountWhateverItsWindowTextsSay) {
  RecordedEvents shown;
  RecordedEvents renamed;
  DownloadEvents view(shown, {"a.bin"}, false);
  DownloadEvents other(renamed, {"a.bin"}, false);
  PlayRun(view, {"Flash Erasing~", "Sector[00] Erased", "Auto Prog  → ERROR!"});
  PlayRun(other, {"Blank Checking~", "Block[00] Done", "Write  → FAILED"});
  EXPECT_EQ(shown.events, renamed.events);
  EXPECT_EQ(shown.Field("stage", "name"), (std::vector<std::string>{"Flash Erase All", "Program"}));
  EXPECT_EQ(shown.Field("stage", "file"), (std::vector<std::string>{"null", "0"}));
  EXPECT_EQ(shown.Field("stage", "path"), (std::vector<std::string>{"null", "a.bin"}));
  // Within a tenth of a second only the first progress and each stage's last go out.
  EXPECT_EQ(shown.Field("progress", "done"), (std::vector<std::string>{"32", "200"}));
  EXPECT_EQ(shown.Field("progress", "unit"), (std::vector<std::string>{"sector", "byte"}));
  ASSERT_EQ(view.Account().Verdicts().size(), 2u);
  EXPECT_EQ(view.Account().Verdicts()[1].stage, "Auto Prog");
  EXPECT_EQ(view.Account().End()->bytes, 200u);
}

TEST(CliPartsTest, ASocketsTextAgreesWithItsVerdict) {
  OperationEnd linkFault;
  linkFault.code = LinkResult::WriteUsbError;
  const Event unfinished =
      SocketEvent(SocketVerdict::Of(2, SocketOutcome::NotFinished), "Auto Addr Prog  → OK!", linkFault);
  EXPECT_EQ(unfinished["result"], "error");
  EXPECT_EQ(unfinished["verdict"], "not-finished");
  EXPECT_EQ(unfinished["text"], "not finished: the run ended with WriteUsbError");
  EXPECT_EQ(unfinished["pack"], "Auto Addr Prog  → OK!");
  SocketVerdict mismatch = SocketVerdict::Of(4, SocketOutcome::ChecksumMismatch, "CheckSum");
  mismatch.expected = 0x5D2C3E17;
  mismatch.actual = 0xFF;
  const Event checksum = SocketEvent(mismatch, "CheckSum(000000FF)  → ERROR!", OperationEnd{});
  EXPECT_EQ(checksum["label"], "PACK-4");
  EXPECT_EQ(checksum["expected"], "5D2C3E17");
  EXPECT_EQ(checksum["actual"], "000000FF");
  EXPECT_EQ(checksum["text"], "CheckSum(000000FF)  → ERROR!");
  EXPECT_EQ(SchemaProblem(checksum), "");
  EXPECT_EQ(SchemaProblem(unfinished), "");
}

TEST(CliPartsTest, QuestionsAreAnsweredByYesOrTheOperatorElseCountAsUnconfirmed) {
  RecordedEvents events;
  Interrupt interrupt;
  const PromptMessage question = Question("디바이스 교체?", "교체하시겠습니까?");
  CliPrompt withYes(events, true, nullptr, interrupt);
  EXPECT_EQ(withYes.Show(question), BoxAnswer::Yes);
  CliPrompt asking(events, false, [](const std::string&) { return std::optional<bool>(false); }, interrupt);
  EXPECT_EQ(asking.Show(question), BoxAnswer::No);
  EXPECT_FALSE(asking.Unconfirmed());
  CliPrompt nobody(events, false, nullptr, interrupt);
  EXPECT_EQ(nobody.Show(question), BoxAnswer::No);
  EXPECT_TRUE(nobody.Unconfirmed());
  EXPECT_EQ(events.Field("box", "answer"), (std::vector<std::string>{"yes", "no", "no"}));
  interrupt.Raise();
  nobody.Show(ApplicationBox("ReadUSB Error!"));
  EXPECT_EQ(events.events.size(), 3u) << "nothing is shown after Ctrl+C";
}

TEST(CliPartsTest, TextsThatAreNotUtf8StillMakeAJsonLine) {
  const std::string line = JsonLine(Event{{"path", std::string("caf\xE9.bin")}});
  EXPECT_EQ(nlohmann::json::parse(line)["path"], "caf\xEF\xBF\xBD.bin");
}

TEST(CliPartsTest, ControlCharactersInNamesReachTheTerminalOnlyAsVisibleEscapes) {
  std::ostringstream out;
  TerminalOutput terminal(out, false);
  Event box = MakeEvent("box");
  box["caption"] = "Error!";
  box["text"] = "Cannot Open File!\r\n\x1b]0;owned\x07\xC2\x9B" "2J 데이터\t.bin\x7F";
  terminal.Emit(box);
  EXPECT_EQ(out.str(), "[Error!] Cannot Open File! \\x1B]0;owned\\x07\\u009B2J 데이터\t.bin\\x7F\n");
}

TEST(CliPartsTest, TheReadmeDocumentsEveryEventWithAnExampleThatFitsTheSchema) {
  std::ifstream readme(VANTRELL_README);
  std::set<std::string> documented;
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("{\"v\":", 0) != 0) continue;
    const nlohmann::json event = nlohmann::json::parse(line);
    EXPECT_EQ(SchemaProblem(event), "");
    documented.insert(event["event"].get<std::string>());
  }
  EXPECT_EQ(documented, (std::set<std::string>{"start", "stage", "progress", "socket", "box", "result", "log"}));
}

TEST(CliPartsTest, TheReadmeListsTheExitCodesTheProgramUses) {
  std::ifstream readme(VANTRELL_README);
  std::set<int> documented;
  const std::regex row(R"(^\| (\d+) \| .+\|$)");
  bool inTable = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("#", 0) == 0) inTable = line == "### Exit codes";
    std::smatch match;
    if (inTable && std::regex_match(line, match, row)) documented.insert(std::stoi(match[1]));
  }
  std::set<int> used;
  for (int code = 0; code < 256; ++code) {
    if (*ExitCodeMeaning(code) != '\0') used.insert(code);
  }
  EXPECT_EQ(documented, used);
  EXPECT_EQ(used.size(), 10u);
}

}  // namespace
}  // namespace vantrell::cli::test
