#include "soak/nand_soak_run.h"

#include <algorithm>
#include <memory>

#include "core/common/busy_state.h"
#include "core/link/writer_link.h"
#include "core/nand/download/nand_download.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_starts.h"
#include "core/nand/operations/nand_workers.h"
#include "soak/soak_checks.h"
#include "support/log_capture.h"
#include "support/recording_nand_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::soak {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Files = std::array<Bytes, kNandFileCount>;

// Echo and count: no NAND reply is shorter.
constexpr std::uint32_t kShortestNandReply = 2;

class NandSoakRun {
 public:
  explicit NandSoakRun(const SoakCase& c) : c_(c), plan_(c.nand) {
    test::NandDeviceSpec spec;
    spec.blockSize = kNandBlockSize;
    spec.blockCount = kNandBlocks;
    spec.badBlocks = plan_.badBlocks;
    spec.fatStartBlock = plan_.fatStartBlock;
    sim_.SetFirmware(test::MakeNandImage(spec));
  }

  std::vector<std::string> Run() {
    if (!Prepare()) return broken_;
    const std::string refused = sim_.ConfigureError(c_.config);
    if (!refused.empty()) Broke("the simulator refused the drawn configuration: " + refused);
    logMark_ = capture_.Bytes().size();
    promptMark_ = prompt_.Texts().size();
    const bool started = Start();
    session_.WaitForWorker();
    CheckEnd(started);
    if (started && Finished() && !c_.linkFault) CheckBoard();
    return broken_;
  }

 private:
  void Broke(const std::string& what) { broken_.push_back(what); }
  bool Finished() const { return session_.LastOutcome() == LinkResult::Finished; }

  // What the window has before the operator presses the button: a Refresh,
  // and data on the board for a read or an erase to meet.
  bool Prepare() {
    auto view = std::make_shared<test::RecordingNandView>();
    session_.Start(&RefreshWorker, NandBusy::OperationControls, view);
    session_.WaitForWorker();
    if (!Finished()) Broke("the Refresh before the operation failed without a fault");
    if (!plan_.background.empty() && c_.operation != Operation::NandRefresh) {
      Files files;
      files[0] = plan_.background;
      if (!StartDownload(files, {plan_.backgroundStart}, false, 0, view))
        Broke("the download before the operation did not start");
      session_.WaitForWorker();
      if (!Finished()) Broke("the download before the operation failed without a fault");
    }
    return broken_.empty();
  }

  bool StartDownload(const Files& files, const std::array<std::int32_t, kNandFileCount>& starts, bool fat,
                     std::int32_t fatValue, const std::shared_ptr<test::RecordingNandView>& view) {
    NandFiles chosen;
    NandDownloadChoice choice;
    for (std::size_t k = 0; k < kNandFileCount; ++k) {
      if (files[k].empty()) continue;
      const std::string name = "file" + std::to_string(k + 1) + ".bin";
      chosen[k] = {name, files_.File(name)};
      test::WriteBytes(chosen[k].path, files[k]);
      choice.fileChecked[k] = true;
      choice.startBlocks[k] = starts[k];
      view->Type(StartBlockEdit(k), std::to_string(starts[k]));
    }
    choice.fatChecked = fat;
    view->Type(NandEdit::FatStart, std::to_string(fatValue));
    session_.SetFiles(chosen);
    return StartNandDownload(session_, choice, view);
  }

  bool Start() {
    switch (c_.operation) {
      case Operation::NandRefresh:
        return session_.Start(&RefreshWorker, NandBusy::OperationControls, view_);
      case Operation::NandReadBadBlock:
        return session_.Start(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly, view_);
      case Operation::NandDownload:
        return StartDownload(plan_.files, plan_.startBlocks, plan_.fatChecked, plan_.fatValue, view_);
      case Operation::NandErase:
        view_->Type(NandEdit::EraseFirst, std::to_string(plan_.first));
        view_->Type(NandEdit::EraseLast, std::to_string(plan_.second));
        return StartNandErase(session_, view_);
      case Operation::NandEraseAll:
        return StartNandEraseAll(session_, view_);
      case Operation::NandReadBlock:
        view_->Type(NandEdit::ReadStart, std::to_string(plan_.first));
        view_->Type(NandEdit::ReadCount, std::to_string(plan_.second));
        return StartNandReadBlock(session_, view_);
      default:
        return false;
    }
  }

  // The call that gives the window its controls back, made once by the
  // operation's end.
  const char* EndCall() const {
    if (c_.operation == Operation::NandRefresh) return "enable 1095";
    if (c_.operation == Operation::NandReadBadBlock) return "enable 1065";
    return "restore all";
  }

  void CheckEnd(bool started) {
    const auto calls = view_->Calls();
    const auto ends = std::count_if(calls.begin(), calls.end(),
                                    [&](const std::string& call) { return call.rfind(EndCall(), 0) == 0; });
    if (ends != (started ? 1 : 0)) Broke("the end-of-operation routine ran " + std::to_string(ends) + " times");
    if (!started && prompt_.Texts().size() == promptMark_) Broke("the operation did not start and nobody was told");
    if (sim_.Status()["open"].get<bool>()) Broke("the link was left open");
    if (busy_.IsBusy()) Broke("the busy state was not given back");
    const std::uint64_t exchanges = sim_.Status()["exchanges"].get<std::uint64_t>();
    // Every NAND reply echoes its request's code.
    const bool wrongEcho = c_.linkFault && c_.linkFault->kind == "wrong_echo" && c_.linkFault->exchange <= exchanges;
    if (Finished() && (LostAReply(c_.linkFault, exchanges, kShortestNandReply) || wrongEcho))
      Broke("an operation that lost a reply ended as finished");
    const std::string log = capture_.Bytes().substr(logMark_);
    if (!ValidCp949(log)) Broke("the log is not valid CP949");
    if (started && !EndsWith(log, "\t ->  Exit Download!\r\n")) Broke("the log does not end with Exit Download");
  }

  Bytes Board(std::int32_t first, std::size_t length) const {
    Bytes bytes;
    for (auto b = static_cast<std::uint32_t>(first); bytes.size() < length; ++b) {
      const Bytes block = sim_.ReadNandBlock(b, 0, kNandBlockSize);
      bytes.insert(bytes.end(), block.begin(), block.end());
    }
    bytes.resize(length);
    return bytes;
  }

  std::vector<std::int32_t> BadTable() const {
    return sim_.NandStatus()["bad_blocks"].get<std::vector<std::int32_t>>();
  }

  bool IsBad(std::int32_t block) const {
    const auto table = BadTable();
    return std::find(table.begin(), table.end(), block) != table.end();
  }

  void CheckErased(std::int32_t first, std::int32_t last) {
    for (std::int32_t b = first; b <= last; ++b) {
      if (IsBad(b)) continue;
      const Bytes block = Board(b, kNandBlockSize);
      if (std::any_of(block.begin(), block.end(), [](std::uint8_t v) { return v != 0xFF; }))
        Broke("block " + std::to_string(b) + " was erased but holds data");
    }
  }

  void CheckFlashState() {
    const NandFlashState flash = session_.Flash();
    if (flash.blockSize != static_cast<std::int32_t>(kNandBlockSize) || flash.totalBlockCount != kNandBlocks)
      Broke("the geometry kept differs from the board's");
    if (flash.fatStartBlock != sim_.NandStatus()["fat_start_block"].get<std::int32_t>())
      Broke("the FAT start block kept differs from the board's");
    if (!plan_.countByteFault && flash.badBlockCount != static_cast<std::int32_t>(BadTable().size()))
      Broke("the bad block count kept differs from the board's table");
  }

  // What a finished operation must have left on the board or shown.
  void CheckBoard() {
    switch (c_.operation) {
      case Operation::NandRefresh:
        return CheckFlashState();
      case Operation::NandReadBadBlock:
        return CheckBadBlockList();
      case Operation::NandDownload:
        return CheckDownload();
      case Operation::NandErase:
        return CheckErased(plan_.first, plan_.second);
      case Operation::NandEraseAll:
        CheckErased(0, kNandBlocks - 1);
        return CheckFlashState();
      case Operation::NandReadBlock:
        if (view_->ShownBlocks() != Board(plan_.first, static_cast<std::size_t>(plan_.second) * kNandBlockSize))
          Broke("the blocks shown differ from what the board holds");
        return;
      default:
        return;
    }
  }

  void CheckBadBlockList() {
    if (plan_.countByteFault) return;
    const auto table = BadTable();
    std::string expected = "bad block list " + std::to_string(table.size()) + ":";
    for (std::int32_t b : table) expected += " " + std::to_string(b);
    const auto calls = view_->Calls();
    if (std::find(calls.begin(), calls.end(), expected) == calls.end())
      Broke("the bad block list shown is not the board's: wanted " + expected);
  }

  void CheckDownload() {
    for (std::size_t k = 0; k < kNandFileCount; ++k) {
      if (!plan_.files[k].empty() && Board(plan_.startBlocks[k], plan_.files[k].size()) != plan_.files[k])
        Broke("file" + std::to_string(k + 1) + " is not on the board where it was written");
    }
    if (plan_.fatChecked && sim_.NandStatus()["fat_start_block"].get<std::int32_t>() != plan_.fatValue)
      Broke("the FAT start block number was not written");
  }

  const SoakCase& c_;
  const NandPlan& plan_;
  test::SimHarness sim_;
  test::TempDir files_;
  test::LogCapture capture_;
  WriterLink link_{sim_.Driver(), capture_.log};
  test::ScriptedPrompt prompt_;
  BusyState busy_;
  NandSession session_{link_, prompt_, busy_};
  std::shared_ptr<test::RecordingNandView> view_ = std::make_shared<test::RecordingNandView>();
  std::size_t logMark_ = 0;
  std::size_t promptMark_ = 0;
  std::vector<std::string> broken_;
};

}  // namespace

std::vector<std::string> RunNandCase(const SoakCase& c) { return NandSoakRun(c).Run(); }

}  // namespace vantrell::soak
