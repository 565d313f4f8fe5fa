#pragma once
// A NAND case of the soak: the operation started as its button starts it,
// on a board prepared without faults, then run under the case's faults.
#include <string>
#include <vector>

#include "soak/soak_case.h"

namespace vantrell::soak {

// Every invariant the run broke; empty when it kept them all.
std::vector<std::string> RunNandCase(const SoakCase& c);

}  // namespace vantrell::soak
