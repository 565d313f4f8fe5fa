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

MasterComparison CompareMasterData(std::span<const std::uint8_t> read, std::span<const std::uint8_t> comparison,
                                   std::uint32_t startAddress) {
  const std::size_t length = std::max(read.size(), comparison.size());
  MasterComparison result;
  result.startAddress = startAddress;
  result.leftReference = ReferenceFor(read, comparison, length);
  result.rightReference = ReferenceFor(comparison, read, length);
  const std::size_t common = std::min(read.size(), comparison.size());
  for (std::size_t i = 0; i < length; ++i) {
    if (i < common && read[i] == comparison[i]) continue;
    if (!result.firstDifference) {
      result.firstDifference = static_cast<std::uint32_t>(i);
      if (i < read.size()) result.firstRead = read[i];
      if (i < comparison.size()) result.firstComparison = comparison[i];
    }
    ++result.differing;
  }
  return result;
}

std::string FirstDifferenceText(const MasterComparison& comparison) {
  if (!comparison.firstDifference) return {};
  const auto byteText = [](const std::optional<std::uint8_t>& value) {
    return value ? FormatText("0x%02X", *value) : std::string("none");
  };
  // The address wraps as the chip's 32-bit address does.
  const std::uint32_t address = comparison.startAddress + *comparison.firstDifference;
  return FormatText("First difference at address 0x%08X: read %s, file %s (%u %s)", address,
                    byteText(comparison.firstRead).c_str(), byteText(comparison.firstComparison).c_str(),
                    comparison.differing, comparison.differing == 1 ? "byte differs" : "bytes differ");
}

PromptMessage CompareVerdictBox(const MasterComparison& comparison) {
  if (comparison.Same()) return WindowBox("Success!", "Data Compare Complete!\r\nAll Data are the same!");
  return WindowBox("Fail!!!", "Data Compare Complete!\r\nEach Data are not the same!\r\n" +
                                  FirstDifferenceText(comparison));
}

}  // namespace vantrell
