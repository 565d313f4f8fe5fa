#pragma once
// Compare Run: the read data against the comparison file. Each dump view
// draws its data against a reference as long as the longer of the two, so
// a differing byte turns red in both views at once. Bytes beyond the shorter
// data have no counterpart: they count as differences and their reference
// is made to differ, so they are red in the longer view. Nothing is read
// past either buffer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/prompt.h"

namespace vantrell {

struct MasterComparison {
  // Copy A: the comparison data, the reference of the left (read data) view.
  std::vector<std::uint8_t> leftReference;
  // Copy B: the read data, the reference of the right (comparison) view.
  std::vector<std::uint8_t> rightReference;
  // Over the longer length.
  std::uint32_t differing = 0;
  // The offset of the first differing byte in the data, and its chip address.
  std::optional<std::uint32_t> firstDifference;
  std::uint32_t startAddress = 0;
  // The two bytes there; none where that data has ended.
  std::optional<std::uint8_t> firstRead;
  std::optional<std::uint8_t> firstComparison;

  bool Same() const { return differing == 0; }
};

// startAddress: the chip address the read data start at.
MasterComparison CompareMasterData(std::span<const std::uint8_t> read, std::span<const std::uint8_t> comparison,
                                   std::uint32_t startAddress = 0);

// "First difference at address 0x00001002: read 0xAB, file 0xCD (1 byte
// differs)", "file none" where the file has ended; empty when the data agree.
std::string FirstDifferenceText(const MasterComparison& comparison);
// The verdict box, owned by the window: "Success!", or "Fail!!!" with the
// first difference on a line of its own after the verdict.
PromptMessage CompareVerdictBox(const MasterComparison& comparison);

}  // namespace vantrell
