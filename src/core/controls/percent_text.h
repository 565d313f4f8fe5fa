#pragma once
// The percentage written across a progress bar or a progress cell.
#include <string>
#include <string_view>

namespace vantrell {

inline constexpr std::string_view kDefaultPercentFormat = "%d%%";

// Fills a caller-chosen format with the percent. The format is data, not a
// compiled-in literal, so it is never handed to printf: every "%d" takes the
// percent, "%%" becomes "%", and any other "%" sequence is kept as it reads.
// An empty format means "%d%%".
std::string FormatPercentText(std::string_view format, int percent);

}  // namespace vantrell
