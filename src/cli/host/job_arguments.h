#pragma once
// The data files of a program command, FILE@SECTOR on the command line,
// turned into the download job exactly as the download window builds it
// from its list, and checked before anything talks to the writer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/program/job/download_job.h"

namespace vantrell {
class Prompt;
}

namespace vantrell::cli {

struct FileArgument {
  std::string path;
  std::int32_t sector = 0;
};

// "FILE@SECTOR" with a decimal start sector after the last "@", or FILE
// alone for sector 0 (a path that has an "@" of its own keeps it when what
// follows is not a number). Nothing, with the reason, for a sector that is
// negative or beyond 32 bits, or an empty path.
std::optional<FileArgument> ParseFileArgument(const std::string& text, std::string& error);

// Why one of the files cannot be programmed (missing, not a regular file,
// unreadable); empty when every one can be read.
std::string UnreadableFile(const std::vector<FileArgument>& files);

// The download list's job: one row per file with its start sector, the
// checksums computed and the rows sorted by start sector, as the window
// does when a run starts. Its boxes (a file gone meanwhile) go to prompt.
DownloadJob BuildJob(const std::vector<FileArgument>& files, const SelectedDevice& device, Prompt& prompt);

// The text of the box the run's validation would refuse the job with
// (nothing logged, nothing shown); nothing when it passes, with sizes filled.
std::optional<std::string> JobRefusal(const DownloadJob& job, const SelectedDevice& device, DownloadJobSizes& sizes);

// Why a file of a job that passed would run past the end of the flash: the
// run checks only where each file starts, and the sectors beyond the last
// one cannot be erased or written. Empty when every file fits.
std::string FileBeyondFlash(const DownloadJob& job, const DownloadJobSizes& sizes, const SelectedDevice& device);

}  // namespace vantrell::cli
