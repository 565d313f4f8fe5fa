#pragma once
// The files whose new versions an updater run writes in the program
// directory: the program, the local list and every file the local list
// names (a name that leads outside the directory is no target).
#include <string>
#include <vector>

namespace vantrell {

std::vector<std::string> UpdaterStagingTargets(const std::string& programDirectory);

}  // namespace vantrell
