#pragma once
// Whether a program file is being run, and waiting for it to end: the
// updater must not replace the main program under its feet.
#include <chrono>
#include <functional>
#include <string>

namespace vantrell {

// True when a process other than this one runs the program file at path
// (the same file, whatever name it was started by).
bool IsProgramFileRunning(const std::string& path);

using ProgramRunningCheck = std::function<bool(const std::string& path)>;

// Waits until no process runs the file, asking isRunning every 100 ms, for
// at most limit. True when it ended (or never ran).
bool WaitUntilProgramEnds(const std::string& path, std::chrono::milliseconds limit,
                          const ProgramRunningCheck& isRunning = IsProgramFileRunning);

}  // namespace vantrell
