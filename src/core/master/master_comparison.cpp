#include "core/master/master_comparison.h"

#include <algorithm>

#include "core/text/format.h"

namespace vantrell {
namespace {

// A reference as long as the longer data: the other data where it has a
// byte, beyond it the complement of the shown byte, which always differs.
std::vector<std::uint8_t> ReferenceFor(std::span<const std::uint8_t> shown, std::span<const std::uint8_t> other,
                                       std::size_t length) {
  std::vector<std::uint8_t> reference(length, 0);
  std::copy(other.begin(), other.end(), reference.begin());
  for (std::size_t i = other.size(); i < shown.size(); ++i) reference[i] = static_cast<std::uint8_t>(~shown[i]);
  return reference;
}

}  // namespace

MasterComparison CompareMasterData(std::span<const std::uint8_t> read, std::span<const std::uint8_t> comparison) {
  const std::size_t length = std::max(read.size(), comparison.size());
  MasterComparison result;
  result.leftReference = ReferenceFor(read, comparison, length);
  result.rightReference = ReferenceFor(comparison, read, length);
  const std::size_t common = std::min(read.size(), comparison.size());
  for (std::size_t i = 0; i < length; ++i) {
    if (i < common && read[i] == comparison[i]) continue;
    if (!result.firstDifference) result.firstDifference = static_cast<std::uint32_t>(i);
    ++result.differing;
  }
  return result;
}

std::string FirstDifferenceText(const MasterComparison& comparison) {
  if (!comparison.firstDifference) return {};
  return FormatText("First difference at 0x%08X, %u bytes differ", *comparison.firstDifference,
                    comparison.differing);
}

PromptMessage CompareVerdictBox(const MasterComparison& comparison) {
  if (comparison.Same()) return WindowBox("Success!", "Data Compare Complete!\r\nAll Data are the same!");
  return WindowBox("Fail!!!", "Data Compare Complete!\r\nEach Data are not the same!\r\n" +
                                  FirstDifferenceText(comparison));
}

}  // namespace vantrell
