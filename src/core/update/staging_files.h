#pragma once
// The new versions of files that the companions write beside the files they
// replace (see ReplacementFile) and that a companion ended by a signal or
// killed outright leaves behind: hidden files of the target's name with a
// suffix of their own, in the target's directory.
//
// Whether a staging file is abandoned is told by whether any running process
// holds it open, not by a process id: the system closes every file of a
// process however it ends, while a process id is reused, and means nothing
// in another process namespace or on another machine sharing the directory.
// On Linux the open files of every process are read from /proc; a file
// whose owner has a process that cannot be looked into is kept. On Windows
// a staging file is opened without leave to delete it, so the system
// itself refuses to delete one that is held; its name carries the creating
// process's id, and one of a running process is kept besides, since the
// file is closed for a moment before it is renamed into place.
#include <string>
#include <vector>

namespace vantrell {

// The staging files of target that exist now, held or not.
std::vector<std::string> StagingFilesOf(const std::string& target);

// Removes the staging files of target that no running process holds.
void RemoveAbandonedStagingFiles(const std::string& target);

// Removes every staging file this process holds open in directory or below
// it, of whatever target, for a process about to end on a signal. Linux only (Windows has no such
// signals; the next start removes what is left there).
void RemoveOwnStagingFiles(const std::string& directory);

}  // namespace vantrell
