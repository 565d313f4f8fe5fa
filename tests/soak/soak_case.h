#pragma once
// One run of the soak: an operation, the simulator's configuration with the
// faults drawn for it, and the run options, all from one seed.
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/program/run/run_options.h"

namespace vantrell::soak {

enum class Operation { Identify, FirmwareUpdate, Download, BlankCheck, EraseAll, ReadMaster };

struct LinkFaultPlan {
  std::uint64_t exchange = 0;
  std::string kind;  // send_fails, no_reply, short_reply, wrong_echo, stale_input
  std::uint32_t bytes = 0;
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
  nlohmann::json config;              // what the simulator is configured with

  std::string Describe() const;
};

SoakCase DrawCase(std::uint64_t seed);

}  // namespace vantrell::soak
