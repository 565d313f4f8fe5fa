#pragma once
// The two companion programs the program carries in its own file: the
// device list editor and the updater. Each is written out into the current
// directory when first needed and started from there.
#include <cstdint>
#include <string>

namespace vantrell {

class Prompt;

struct CompanionTool {
  std::uint32_t resourceId;
  const char* resourceName;   // as the messages name it
  const char* fileName;       // bare, as written and started
  const char* launchFailure;  // told when it cannot be started
};

extern const CompanionTool kDeviceListEditor;
extern const CompanionTool kUpdater;

// Set (to anything) in a companion's environment, it shows its window,
// leaves "<file name>.started" in its working directory and ends, doing no
// work: how the tests see that the carried programs start.
inline constexpr const char* kCompanionProbeVariable = "VANTRELL_COMPANION_PROBE";

// Where a tool comes from and where it goes.
struct CompanionPlace {
  std::string programFile;    // the program's own file, opened by its fixed name
  std::string toolDirectory;  // the current directory
};

// The program file in the program directory, and the current directory.
CompanionPlace CompanionPlaceFor(const std::string& programDirectory);

// Makes sure the tool's file is in the tool directory. A file of that name
// already there is used as it is and never replaced. Otherwise the tool's
// bytes are read from the program file and written into a new executable
// file; a write that fails half-way leaves no file behind. False after a
// failure, which has been told in an "Error!" box.
bool ExtractCompanionTool(const CompanionTool& tool, const CompanionPlace& place, Prompt& prompt);

// Writes the tool out when needed and starts it, detached. True when it was
// started (the caller then ends the program); false when it was not, after
// the failed step's box and the tool's launch failure message.
bool LaunchCompanionTool(const CompanionTool& tool, const CompanionPlace& place, Prompt& prompt);

}  // namespace vantrell
