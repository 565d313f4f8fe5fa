#pragma once
// Whether an installed file's version is as new as the published one.
#include <string_view>

namespace vantrell {

// True when installed >= published:
//   - equal texts satisfy it;
//   - when both are dot-separated decimal numbers ("1.10", "2.0.3") they
//     compare segment by segment as numbers, a missing segment counting as
//     0 (1.10 > 1.9, 1.2 == 1.2.0), however many digits a segment has;
//   - otherwise they compare as text, byte by byte.
bool VersionAtLeast(std::string_view installed, std::string_view published);

}  // namespace vantrell
