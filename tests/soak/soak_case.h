#pragma once
// One run of the soak: an operation, the simulator's configuration with the
// faults drawn for it, and the run options, all from one seed.
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/program/window/run_options.h"

namespace vantrell::soak {

enum class Operation {
  Identify, FirmwareUpdate, Download, BlankCheck, EraseAll, ReadMaster,
  NandRefresh, NandReadBadBlock, NandDownload, NandErase, NandEraseAll, NandReadBlock,
};

inline bool IsNand(Operation operation) { return operation >= Operation::NandRefresh; }

// The simulated NAND board every NAND case runs on.
inline constexpr std::uint32_t kNandBlockSize = 2048;
inline constexpr std::int32_t kNandBlocks = 64;

struct LinkFaultPlan {
  std::uint64_t exchange = 0;
  std::string kind;  // send_fails, no_reply, short_reply, wrong_echo, stale_input
  std::uint32_t bytes = 0;
};

// The board of a NAND case and what its operation is given, as the window's
// edits and file choices would give it.
struct NandPlan {
  std::vector<std::uint32_t> badBlocks;  // the board's factory table
  std::uint32_t fatStartBlock = 0;       // what the new board starts with
  // Written fault-free before the operation, so reads and erases meet data.
  std::vector<std::uint8_t> background;
  std::int32_t backgroundStart = 0;
  std::array<std::vector<std::uint8_t>, 3> files;  // Download: an empty file is not checked
  std::array<std::int32_t, 3> startBlocks{};
  bool fatChecked = false;
  std::int32_t fatValue = 0;
  std::int32_t first = 0;   // Erase: first block; Read Block: start block
  std::int32_t second = 0;  // Erase: last block; Read Block: block count
  bool countByteFault = false;  // a bad block table reply carries a wrong count
  bool informationFault = false;  // the information reply has no room for a name

  std::string Describe() const;
};

struct SoakCase {
  std::uint64_t seed = 0;
  Operation operation = Operation::Download;
  RunOptions options;
  bool checkSum = false;
  std::optional<LinkFaultPlan> linkFault;
  std::optional<int> failingSocket;   // answers a command with a failing state
  std::string failingCommand;
  std::optional<int> stuckSocket;     // holds a bit at 1 where the file has a 0
  std::optional<int> emptySocket;
  std::optional<int> wrongIdSocket;
  std::vector<std::uint8_t> file;     // the download's one file, at sector 1 (what the MASTER holds there for a read)
  NandPlan nand;
  nlohmann::json config;              // what the simulator is configured with

  std::string Describe() const;
};

SoakCase DrawCase(std::uint64_t seed);
// The NAND half of a case: the board, the operation's input and the board's faults.
void DrawNandPlan(std::mt19937_64& rng, SoakCase& c);
// A link fault at one of the first maxExchange exchanges, added to c.config.
void DrawLinkFault(std::mt19937_64& rng, std::uint64_t maxExchange, SoakCase& c);

}  // namespace vantrell::soak
