#pragma once
// The calendar time in whole seconds, as the runs time themselves. Tests
// hand in a clock of their own.
#include <cstdint>
#include <ctime>
#include <functional>

namespace vantrell {

using SecondsClock = std::function<std::int64_t()>;

inline std::int64_t SystemSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace vantrell
