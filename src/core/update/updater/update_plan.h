#pragma once
// What the updater is to do in the program directory, decided before any
// file is touched: which published files to fetch (those the update check
// would find not current), which files of the delete list to remove, and
// which names it refuses or passes over, with the reason for the operator.
#include <optional>
#include <string>
#include <vector>

#include "core/update/manifest.h"

namespace vantrell {

struct PlannedFile {
  std::string name;     // as the list gives it
  std::string version;  // empty for a deletion
  std::string path;     // inside the program directory
};

struct UpdatePlan {
  std::vector<PlannedFile> downloads;
  std::vector<PlannedFile> deletions;
  std::vector<std::string> refusals;  // one line each, for the operator
};

struct UpdatePlace {
  std::string programDirectory;
  std::string programFile;  // the main program, started again afterwards and never deleted
  std::string ownFile;      // the updater's own file: never replaced or deleted mid-run
};

// Names are untrusted. A name that could lead outside the program
// directory (see PathInsideDirectory) is refused; so is a name for the
// updater itself, and a deletion of the main program, of a file the
// published list names, or of anything but a file. Of names leading to the
// same file, the first counts. A published file is fetched unless it is
// present and the local manifest (none when missing or unreadable) lists it
// at its published version or newer: the update check's own rule.
UpdatePlan PlanUpdate(const Manifest& published, const std::optional<Manifest>& local, const Manifest& deleteList,
                      const UpdatePlace& place);

}  // namespace vantrell
