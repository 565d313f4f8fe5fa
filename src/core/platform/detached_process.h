#pragma once
// Starting another program that outlives this one.
#include <string>

namespace vantrell {

// Starts the program file at path with no arguments, in the caller's working
// directory, detached: a session of its own (on Windows through the shell)
// and no open descriptors but the standard three. False when it could not
// be started. The started program is not waited for: the caller ends soon
// after, and the program is adopted by the system.
bool StartDetached(const std::string& path);

}  // namespace vantrell
