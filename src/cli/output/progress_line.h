#pragma once
// The live line a terminal shows for a running stage: percentage, how much
// of how much, the rate so far and the time left at that rate.
#include <cstdint>
#include <string>

namespace vantrell::cli {

struct ProgressSample {
  std::string stage;
  std::uint64_t done = 0;
  std::uint64_t total = 0;
  std::string unit;            // "byte" or "sector"
  double elapsedSeconds = 0;   // since the stage began
};

// "  Program  45%  2.2/4.9 KiB  1.1 KiB/s  0:02 left"
std::string ProgressLineText(const ProgressSample& sample);

// 512 -> "512 B", 2300 -> "2.2 KiB", 5 * 1048576 -> "5.0 MiB".
std::string ByteSize(double bytes);

}  // namespace vantrell::cli
