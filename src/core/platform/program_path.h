#pragma once
#include <string>

namespace vantrell {

// Full path of the running executable; empty when it cannot be found.
std::string ExecutablePath();
// Directory holding the running executable (no trailing separator).
std::string ProgramDirectory();

}  // namespace vantrell
