#include "cli/app/command.h"

#include <algorithm>
#include <string_view>

namespace vantrell::cli {
namespace {

// Filled while static objects are constructed, read once main runs.
std::vector<CommandEntry>& Registry() {
  static std::vector<CommandEntry> entries;
  return entries;
}

}  // namespace

void RegisterCommand(const CommandEntry& entry) { Registry().push_back(entry); }

std::vector<CommandEntry> RegisteredCommands() {
  std::vector<CommandEntry> entries = Registry();
  std::sort(entries.begin(), entries.end(),
            [](const CommandEntry& a, const CommandEntry& b) { return std::string_view(a.name) < b.name; });
  return entries;
}

}  // namespace vantrell::cli
