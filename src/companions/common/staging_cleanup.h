#pragma once
// A companion ended by SIGTERM, SIGINT or SIGHUP removes the new versions it
// was still writing before it goes, and at its next start one removes what
// a killed run left (see staging_files.h).
#include <string>
#include <vector>

namespace vantrell::gui {

// Until the process ends, the three signals remove this process's staging
// files under directory, then end it as the signal would have. Does nothing
// on Windows, which has no such signals.
void RemoveStagingFilesOnTermination(const std::string& directory);

// Removes the abandoned staging files of every target.
void RemoveAbandonedStagingFilesOf(const std::vector<std::string>& targets);

}  // namespace vantrell::gui
