#include "core/program/session/run_settings.h"

#include "core/platform/settings_store.h"

namespace vantrell {
namespace {

RunOptions ReadOptions(const SettingsStore& settings, int eraseAllDefault) {
  RunOptions options;
  options.blank = settings.ReadInt(kDownWindowSection, "CheckBlank", 0) != 0;
  options.program = settings.ReadInt(kDownWindowSection, "CheckProgram", 1) != 0;
  options.verify = settings.ReadInt(kDownWindowSection, "CheckVerify", 1) != 0;
  options.erase = settings.ReadInt(kDownWindowSection, "CheckErase", 1) != 0;
  options.eraseAll = settings.ReadInt(kDownWindowSection, "CheckEraseAll", eraseAllDefault) != 0;
  return options;
}

// A count is never negative: a stored one that is (edited by hand, or
// wrapped by an older build) starts again from 0.
std::int32_t ReadCount(const SettingsStore& settings, const char* key) {
  const std::int32_t count = settings.ReadInt(kDownWindowSection, key, 0);
  return count < 0 ? 0 : count;
}

}  // namespace

ResultCounters ReadCounters(const SettingsStore& settings) {
  return {ReadCount(settings, "SumTotal"), ReadCount(settings, "SumSuccess"), ReadCount(settings, "SumFail")};
}

void WriteCounters(SettingsStore& settings, const ResultCounters& counters) {
  settings.WriteInt(kDownWindowSection, "SumTotal", counters.total);
  settings.WriteInt(kDownWindowSection, "SumSuccess", counters.success);
  settings.WriteInt(kDownWindowSection, "SumFail", counters.fail);
}

RunOptions ReadInitialOptions(const SettingsStore& settings) { return ReadOptions(settings, 1); }

RunOptions ReadAutoOptions(const SettingsStore& settings) { return ReadOptions(settings, 0); }

void WriteOptions(SettingsStore& settings, const RunOptions& options) {
  settings.WriteInt(kDownWindowSection, "CheckBlank", options.blank ? 1 : 0);
  settings.WriteInt(kDownWindowSection, "CheckProgram", options.program ? 1 : 0);
  settings.WriteInt(kDownWindowSection, "CheckVerify", options.verify ? 1 : 0);
  settings.WriteInt(kDownWindowSection, "CheckErase", options.erase ? 1 : 0);
  settings.WriteInt(kDownWindowSection, "CheckEraseAll", options.eraseAll ? 1 : 0);
}

bool AnyOptionSet(const RunOptions& options) {
  return options.eraseAll || options.erase || options.blank || options.program || options.verify;
}

}  // namespace vantrell
