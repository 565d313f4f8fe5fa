#pragma once
// "Update Check": are the files installed beside the program as new as the
// published manifest says they should be? If not, the operator may start
// the updater, and the program then ends.
#include <string>

namespace vantrell {

class InstalledFiles;
class ManifestFetcher;
class Prompt;
struct CompanionPlace;

enum class UpdateVerdict {
  ManifestUnavailable,  // not fetched, not well-formed, or too large
  Latest,
  Outdated,
};

struct UpdateSources {
  ManifestFetcher& fetcher;
  InstalledFiles& files;
  std::string programDirectory;
};

// Fetches the published manifest (ManifestUrl) and compares it with the
// installation. The installation is the latest only when the manifest has
// at least one entry with a name and a version, and for every such entry,
// in order, the named file is present inside the program directory and the
// local "update.xml" there lists it under the same name with a version at
// least the published one. The first entry that fails decides; a name
// that could lead outside the program directory fails without any file
// being opened.
UpdateVerdict JudgeInstallation(const UpdateSources& sources);

// The command: tells the verdict, and when the installation is outdated
// asks whether to upgrade; on agreement writes out and starts the updater.
// True when the updater was started: the caller ends the program then,
// without storing its settings.
bool OnUpdateCheck(const UpdateSources& sources, const CompanionPlace& place, Prompt& prompt);

}  // namespace vantrell
