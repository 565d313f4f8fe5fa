#pragma once
// A write that truly fails, on every system and whoever runs the tests: while
// a limit is set, a file that ReplacementFile writes cannot grow past it, and
// the write that would cross it fails as a write past the system's file size
// limit does (what fits is written first). Tests set it; the program never
// does, and then a write pays one atomic load for it.
#include <cstdint>
#include <optional>
#include <string>

namespace vantrell {

// nullopt lifts the limit.
void SetFileGrowthLimit(std::optional<std::uint64_t> bytes);
std::optional<std::uint64_t> FileGrowthLimit();

// The system's reason for a write stopped by the limit ("File too large").
std::string FileGrowthLimitReason();

}  // namespace vantrell
