// Every operation of the engine against the simulator under a fault
// schedule drawn from a seed, with the invariants every run must keep
// checked after each. The seeds run are VANTRELL_SOAK_SEEDS ("first:count",
// default 0:1000); a broken run names its seed and how to run it alone.
#include <atomic>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "core/common/busy_state.h"
#include "core/app/firmware_update.h"
#include "core/app/writer_exchange.h"
#include "core/app/writer_identity.h"
#include "core/link/writer_link.h"
#include "core/master/read_master_session.h"
#include "core/program/job/file_checksum.h"
#include "core/program/session/programming_session.h"
#include "soak/nand_soak_run.h"
#include "soak/soak_case.h"
#include "soak/soak_checks.h"
#include "support/log_capture.h"
#include "support/recording_download_view.h"
#include "support/recording_main_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::soak {
namespace {

constexpr std::size_t kSockets = 7;

test::ChipDeviceSpec Device() {
  test::ChipDeviceSpec spec;
  spec.number = 0x0123;
  spec.version = 0x0105;
  spec.sectorSizeKb = 1;
  spec.flashSizeKb = 8;
  spec.extendedReadId = true;
  return spec;
}

bool StartsWithAny(const std::vector<std::string>& boxes, std::initializer_list<const char*> starts) {
  for (const std::string& box : boxes)
    for (const char* start : starts)
      if (box.rfind(start, 0) == 0) return true;
  return false;
}

// Runs one case and lists every invariant it broke.
class SoakRun {
 public:
  explicit SoakRun(const SoakCase& c) : c_(c) {
    sim_.SetFirmware(test::MakeChipImage(Device()));
    const std::string refused = sim_.ConfigureError(c.config);
    if (!refused.empty()) Broke("the simulator refused the drawn configuration: " + refused);
    session_.SetDevice(test::SelectedDeviceFor(Device(), "VELORA-SOAK"));
    session_.SetCounters({});
  }

  std::vector<std::string> Run() {
    switch (c_.operation) {
      case Operation::Identify: return Identify();
      case Operation::FirmwareUpdate: return Update();
      case Operation::Download: return ChipRun([&] { return StartDownload(c_.options); });
      case Operation::BlankCheck: return ChipRun([&] { return StartDownload(RunOptions::BlankCheckOnly()); });
      case Operation::EraseAll: return ChipRun([&] { return session_.StartEraseAll(view_); });
      case Operation::ReadMaster: return ReadMaster();
      default: break;  // the NAND operations run on a NAND board of their own
    }
    return broken_;
  }

 private:
  void Broke(const std::string& what) { broken_.push_back(what); }

  std::uint64_t Exchanges() const { return sim_.Status()["exchanges"].get<std::uint64_t>(); }
  // A link fault the run reached that loses a reply the run needs.
  bool LostAReply() const { return soak::LostAReply(c_.linkFault, Exchanges(), 2 + kSockets); }

  bool StartDownload(const RunOptions& options) {
    DownloadJob job;
    job.paths = {files_.File("data.bin")};
    test::WriteBytes(job.paths[0], c_.file);
    job.sectors = {1};
    job.checksums = {ChecksumOf(c_.file)};
    view_->checkSumChecked = c_.checkSum;
    session_.SetOptions(options);
    return session_.StartRun(job, view_);
  }

  template <typename Start>
  std::vector<std::string> ChipRun(Start start) {
    const RunOptions options = c_.operation == Operation::Download ? c_.options : RunOptions{};
    if (!start()) Broke("the run did not start");
    session_.WaitForWorker();
    const ResultCounters counters = session_.Counters();
    const std::vector<std::string> boxes = prompt_.Texts();
    const bool finished = StartsWithAny(boxes, {"Finish!!", "Erase All Complete!", "Blank Check Complete!"});
    const SocketFlags alive = session_.LastChipAlive();
    finished_ = finished;

    if (view_->RestoreCount() != 1) Broke("the end-of-operation routine ran " + std::to_string(view_->RestoreCount()) + " times");
    if (sim_.Status()["open"].get<bool>()) Broke("the link was left open");
    if (busy_.IsBusy()) Broke("the busy state was not given back");
    if (counters.total != counters.success + counters.fail) Broke("Total is not Success + Fail");
    const bool counted = options.program && c_.operation == Operation::Download;
    if (!counted && counters.total != 0) Broke("a run without Program was counted");
    if (counted && counters.total != static_cast<std::int32_t>(kSockets)) Broke("a programming run did not count every socket");
    if (finished && LostAReply()) Broke("a run that lost a reply ended as finished");
    if (!finished && counters.success != 0) Broke("a run that did not finish counted successes");
    CheckSockets(alive);
    CheckLog(true);
    return broken_;
  }

  void CheckSockets(const SocketFlags& alive) {
    if (c_.stuckSocket) {
      for (const std::string& line : view_->PackHistory(*c_.stuckSocket)) {
        if (line.rfind("CheckSum(", 0) == 0 && EndsWith(line, "  → OK!")) Broke("a stuck bit passed the checksum: " + line);
      }
    }
    if (c_.linkFault) return;  // with a reply lost or shifted the chips' last word may not have arrived
    const RunOptions& o = c_.options;
    const bool compared = c_.operation == Operation::Download && o.program && o.verify && c_.checkSum;
    if (c_.stuckSocket && compared && finished_ && alive[*c_.stuckSocket])
      Broke("a socket whose chip cannot hold the file passed the run");
    const nlohmann::json chips = sim_.ChipStatus()["sockets"];
    for (std::size_t s = 0; s < kSockets; ++s) {
      // A failing Verify End shows only in its checksum.
      const bool seen = c_.failingCommand != "verify_end" || c_.checkSum;
      const bool failed = seen && chips[s]["failures_reported"].get<std::uint64_t>() > 0;
      const bool absentOrWrong = c_.emptySocket == static_cast<int>(s) || c_.wrongIdSocket == static_cast<int>(s);
      if ((failed || absentOrWrong) && alive[s]) Broke("socket " + std::to_string(s) + " failed but stayed alive");
    }
  }

  void CheckLog(bool endsWithExit) {
    const std::string log = capture_.Bytes();
    if (!ValidCp949(log)) Broke("the log is not valid CP949");
    if (endsWithExit && !EndsWith(log, "\t ->  Exit Download!\r\n")) Broke("the log does not end with Exit Download");
  }

  std::vector<std::string> Identify() {
    link_.OpenLink();
    link_.ClearInput();
    WriterExchange exchange(link_, prompt_);
    const auto identity = ExchangeIdentity(exchange);
    link_.CloseLink();
    const bool lost = c_.linkFault && c_.linkFault->exchange == 1 &&
                      (c_.linkFault->kind == "send_fails" || c_.linkFault->kind == "no_reply" ||
                       (c_.linkFault->kind == "short_reply" && c_.linkFault->bytes < 6));
    if (identity && lost) Broke("an identity was read from a lost reply");
    if (!identity && !lost && prompt_.Texts().empty()) Broke("an identity failed without a word");
    if (identity && !c_.linkFault && (identity->number != 0x0123 || identity->version != 0x0105))
      Broke("the identity differs from the writer's firmware");
    CheckLog(false);
    return broken_;
  }

  std::vector<std::string> Update() {
    const std::vector<std::uint8_t> image = test::MakeImage(0x0321, 0x0207, 300 + c_.file.size() % 700);
    link_.OpenLink();
    test::RecordingUpdateView view;
    const bool updated = UpdateWriterFirmware({link_, prompt_, view, image, {}});
    link_.CloseLink();
    const nlohmann::json firmware = sim_.Status()["firmware"];
    if (updated && LostAReply()) Broke("an update that lost a reply succeeded");
    if (updated && (firmware["number"] != 0x0321 || firmware["size"] != image.size()))
      Broke("an update succeeded but the writer does not run the image");
    if (!updated && prompt_.Texts().empty() && view.statuses.empty()) Broke("an update failed without a word");
    CheckLog(false);
    return broken_;
  }

  // The Read Master window as the read's worker sees it: how often the read's
  // end put Read Run back.
  struct CountingReadView final : ReadMasterView {
    void SetRange(int, int) override {}
    void SetPosition(int) override {}
    void SetShowPercentage(bool) override {}
    void ShowFinishedRead() override {}
    void EnableReadRun() override { ends.fetch_add(1); }
    std::atomic<int> ends{0};
  };

  std::vector<std::string> ReadMaster() {
    sim_.WriteSocketFlash(0, 1024, c_.file);
    ReadMasterSession reads(link_, prompt_, busy_);
    auto view = std::make_shared<CountingReadView>();
    const MasterReadRequest request{session_.Device(), 1024, static_cast<std::uint32_t>(c_.file.size())};
    const std::shared_ptr<const MasterBytes> data = reads.StartRead(request, view);
    if (!data) Broke("the read did not start");
    reads.WaitForWorker();
    const bool finished = reads.LastOutcome() == LinkResult::Finished;
    if (view->ends.load() != 1) Broke("the read's end ran " + std::to_string(view->ends.load()) + " times");
    if (sim_.Status()["open"].get<bool>()) Broke("the link was left open");
    if (busy_.IsBusy()) Broke("the busy state was not given back");
    if (finished && LostAReply()) Broke("a read that lost a reply ended as finished");
    if (finished && (c_.emptySocket == 0 || c_.wrongIdSocket == 0)) Broke("a read from an absent or wrong MASTER chip finished");
    if (finished && data && !c_.linkFault && *data != sim_.ReadSocketFlash(0, 1024, request.length))
      Broke("a finished read does not hold what the MASTER chip holds");
    CheckLog(false);
    return broken_;
  }

  const SoakCase& c_;
  test::SimHarness sim_;
  test::TempDir files_;
  test::LogCapture capture_;
  WriterLink link_{sim_.Driver(), capture_.log};
  test::ScriptedPrompt prompt_;
  BusyState busy_;
  std::shared_ptr<test::RecordingDownloadView> view_ = std::make_shared<test::RecordingDownloadView>();
  ProgrammingSession session_{link_, prompt_, busy_};
  std::vector<std::string> broken_;
  bool finished_ = false;
};

std::pair<std::uint64_t, std::uint64_t> SeedRange() {
  const char* text = std::getenv("VANTRELL_SOAK_SEEDS");
  if (text == nullptr) return {0, 1000};
  std::uint64_t first = 0;
  std::uint64_t count = 1;
  char colon = 0;
  std::istringstream in(text);
  in >> first >> colon >> count;
  return {first, count};
}

TEST(Soak, EveryOperationKeepsItsInvariantsUnderSeededFaults) {
  const auto [first, count] = SeedRange();
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    const SoakCase c = DrawCase(seed);
    const std::vector<std::string> broken = IsNand(c.operation) ? RunNandCase(c) : SoakRun(c).Run();
    if (broken.empty()) continue;
    std::string list;
    for (const std::string& b : broken) list += "\n    - " + b;
    ADD_FAILURE() << "seed " << seed << ": " << c.Describe() << list
                  << "\n  run it alone: VANTRELL_SOAK_SEEDS=" << seed << ":1 build/bin/soak_tests";
  }
}

}  // namespace
}  // namespace vantrell::soak
