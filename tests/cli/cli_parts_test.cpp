// The parts of vantrell-cli that decide on their own: file arguments, exit
// codes, progress pacing and its line, the stages read from a run's window
// calls, questions, and the README's event schema.
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
      if (e["event"] == kind) values.push_back(e[key].is_string() ? e[key].get<std::string>() : e[key].dump());
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

TEST(CliPartsTest, NandStagesFollowTheStatusTextsAndTheBarCountsInTheirUnits) {
  RecordedEvents recorded;
  NandStagePlan plan;
  plan.fileBytes[1] = 1000;
  plan.filePaths[1] = "b.bin";
  plan.flashBlocks = 64;
  NandEvents view(recorded, plan);
  view.SetPosition(50);  // no stage of the bar's yet
  view.SetStatusText("NAND Flash Block Erasing~, for File2");
  view.SetPosition(0);
  view.SetStatusText("File2 Downloading~");
  view.SetPosition(1);
  view.SetPosition(100);
  view.SetStatusText("Block Reading Count <3>");
  view.SetStatusText("NAND Flash Erase All ~");
  view.SetPosition(100);
  EXPECT_EQ(recorded.Field("stage", "name"), (std::vector<std::string>{"Block Erase", "Download", "Erase All"}));
  EXPECT_EQ(recorded.Field("stage", "file"), (std::vector<std::string>{"1", "1", "null"}));
  EXPECT_EQ(recorded.Field("progress", "done"), (std::vector<std::string>{"10", "1000", "64"}));
  EXPECT_EQ(recorded.Field("progress", "unit"), (std::vector<std::string>{"byte", "byte", "block"}));
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

TEST(CliPartsTest, StagesFollowWhatTheRunShowsItsWindow) {
  RecordedEvents events;
  DownloadEvents view(events, {{"a.bin"}, {3}, 32, false});
  view.SetPackLine(0, "Read ID  → OK!");
  view.SetPackLine(0, "Flash Erasing~");
  view.SetProgressText("Sector[00] Erased");
  view.UpdateFileProgress(0, 0);
  view.SetProgressText("Sector[00] Erased");
  view.SetByteProgress({"Write", 62, 200});
  view.SetByteProgress({"Write", 200, 200});
  view.SetByteProgress({"Verify", 200, 200});
  EXPECT_EQ(events.Field("stage", "name"),
            (std::vector<std::string>{"Flash Erase All", "Sector Erase", "Program", "Verify"}));
  EXPECT_EQ(events.Field("stage", "file"), (std::vector<std::string>{"null", "0", "0", "0"}));
  // Within a tenth of a second only the first progress and each stage's last go out.
  EXPECT_EQ(events.Field("progress", "total"), (std::vector<std::string>{"32", "200", "200"}));
  EXPECT_EQ(events.Field("progress", "stage"), (std::vector<std::string>{"Flash Erase All", "Program", "Verify"}));
  EXPECT_EQ(view.PackLine(0), "Flash Erasing~");
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
    if (line.rfind("{\"v\": 1", 0) != 0 && line.rfind("{\"v\":1", 0) != 0) continue;
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
