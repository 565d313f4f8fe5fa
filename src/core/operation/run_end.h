#pragma once
// A step of a run either lets the run go on or gives the code it ends with.
#include <optional>

#include "core/link/link_result.h"

namespace vantrell {

using RunEnd = std::optional<LinkResult>;
inline constexpr RunEnd kGoOn = std::nullopt;

// The code of a routine's result, unless it succeeded.
inline RunEnd EndUnlessSuccess(LinkResult result) {
  return result == LinkResult::Success ? kGoOn : RunEnd(result);
}

}  // namespace vantrell
