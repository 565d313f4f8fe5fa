#pragma once
// What an operation says about itself while it runs, in its own terms: the
// stage it entered and how far the stage goes, the units done, each socket's
// verdict with its reason, and how the operation ended. The windows show the
// same operation through their texts and bars; whatever only reports on an
// operation (the command line, a record of the run) reads this account and
// never a display text.
//
// Every window view of a worker is an account; its calls come from the worker
// thread, in the order things happen. A window that only shows texts leaves
// them as they are: the default is to ignore them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/link/link_result.h"
#include "core/operation/result_counters.h"

namespace vantrell {

enum class OperationStage {
  BlankCheck,       // the whole flash, sector by sector
  FlashEraseAll,    // every sector of the flash
  SectorErase,      // the sectors one file covers
  Program,          // one file's bytes
  Verify,           // one file's bytes sent again for the writer to compare
  ReadMaster,       // a range of the MASTER chip
  NandRefresh,      // the flash's information
  NandReadBadBlock, // the bad block table
  NandErase,        // a range of blocks
  NandEraseAll,     // every block
  NandReadBlock,    // a range of blocks read back
  NandBlockErase,   // the blocks one download file covers
  NandDownload,     // one download file's bytes
  NandFatWrite,     // the FAT start block number
};

enum class StageUnit { None, Byte, Sector, Block };

struct StageEntry {
  OperationStage stage = OperationStage::Program;
  std::optional<std::size_t> file;  // the file's place in the job; none for the whole flash
  std::uint64_t units = 0;          // how far the stage goes
  StageUnit unit = StageUnit::None;
};

enum class SocketOutcome {
  Passed,            // alive to the end of a finished run
  DroppedAtReadId,   // its chip was not the device's (Read ID and the flash IDs)
  FailedAtStage,     // a check of the named stage failed
  ChecksumMismatch,  // its checksum differed from the file's
  NotFinished,       // alive, but the run ended before its chip was done
};

struct SocketVerdict {
  std::size_t socket = 0;
  SocketOutcome outcome = SocketOutcome::Passed;
  std::string stage;          // the check that failed, as its pack line names it
  std::uint32_t expected = 0;  // ChecksumMismatch: the file's checksum
  std::uint32_t actual = 0;    // ChecksumMismatch: the socket's

  static SocketVerdict Of(std::size_t socket, SocketOutcome outcome, std::string stage = {}) {
    SocketVerdict verdict;
    verdict.socket = socket;
    verdict.outcome = outcome;
    verdict.stage = std::move(stage);
    return verdict;
  }
};

struct OperationEnd {
  LinkResult code = LinkResult::Reported;
  bool linkOpenFailed = false;  // the link would not open (told)
  // The box that refused the operation before it touched the link; empty when
  // it was not refused.
  std::string refusal;
  std::optional<ResultCounters> counters;  // the result counters, when the run grew them
  std::uint64_t bytes = 0;                 // file or chip bytes actually sent or read
  double elapsedSeconds = 0;
};

class OperationAccount {
 public:
  virtual ~OperationAccount() = default;
  virtual void StageEntered(const StageEntry&) {}
  // Units of the running stage done so far.
  virtual void StageProgress(std::uint64_t) {}
  // After the run, once for every served socket, in socket order.
  virtual void SocketJudged(const SocketVerdict&) {}
  // The last call of an operation that was not abandoned.
  virtual void OperationEnded(const OperationEnd&) {}
};

// The stage's name as reports give it ("Sector Erase", "Read Master").
const char* StageName(OperationStage stage);
// "byte", "sector", "block"; empty for None.
const char* UnitName(StageUnit unit);

}  // namespace vantrell
