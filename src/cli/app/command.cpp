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

std::vector<CommandGroup>& Groups() {
  static std::vector<CommandGroup> groups;
  return groups;
}

}  // namespace

void RegisterCommand(const CommandEntry& entry) { Registry().push_back(entry); }

void RegisterCommandGroup(const CommandGroup& group) { Groups().push_back(group); }

std::string GroupSummary(const std::string& group) {
  for (const CommandGroup& g : Groups()) {
    if (group == g.name) return g.summary;
  }
  return {};
}

std::vector<CommandEntry> RegisteredCommands() {
  std::vector<CommandEntry> entries = Registry();
  std::sort(entries.begin(), entries.end(),
            [](const CommandEntry& a, const CommandEntry& b) { return std::string_view(a.name) < b.name; });
  return entries;
}

}  // namespace vantrell::cli
