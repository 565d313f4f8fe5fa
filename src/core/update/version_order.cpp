#include "core/update/version_order.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vantrell {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The segments of a dotted decimal number, or nothing when the text is not
// one (empty, an empty segment, or anything but digits and dots).
std::optional<std::vector<std::string_view>> DottedSegments(std::string_view text) {
  std::vector<std::string_view> segments;
  while (true) {
    const std::size_t dot = text.find('.');
    const std::string_view segment = text.substr(0, dot);
    if (segment.empty() || !std::all_of(segment.begin(), segment.end(), IsDigit)) return std::nullopt;
    segments.push_back(segment);
    if (dot == std::string_view::npos) return segments;
    text.remove_prefix(dot + 1);
  }
}

// Numbers of any length: without leading zeros, the longer is the larger,
// and equal lengths compare digit by digit.
int CompareNumbers(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

int CompareDotted(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const int order = CompareNumbers(i < a.size() ? a[i] : "0", i < b.size() ? b[i] : "0");
    if (order != 0) return order;
  }
  return 0;
}

}  // namespace

bool VersionAtLeast(std::string_view installed, std::string_view published) {
  if (installed == published) return true;
  const auto installedSegments = DottedSegments(installed);
  const auto publishedSegments = DottedSegments(published);
  if (installedSegments && publishedSegments) return CompareDotted(*installedSegments, *publishedSegments) >= 0;
  return installed > published;
}

}  // namespace vantrell
