#pragma once
// The download window's keys in the settings store: the result counters and
// the five Auto Run options, section "PreviousSetValue". The command-line
// program keeps them under the same keys, so both share them.
#include "core/operation/result_counters.h"
#include "core/program/window/run_options.h"

namespace vantrell {

class SettingsStore;

inline constexpr const char* kDownWindowSection = "PreviousSetValue";

// "SumTotal", "SumSuccess", "SumFail", each 0 when absent.
ResultCounters ReadCounters(const SettingsStore& settings);
void WriteCounters(SettingsStore& settings, const ResultCounters& counters);

// The options as the window's initialisation reads them: a missing
// "CheckEraseAll" counts as set.
RunOptions ReadInitialOptions(const SettingsStore& settings);
// The options as Auto and Auto Run Select read them: a missing
// "CheckEraseAll" counts as not set. The other defaults are the same:
// "CheckBlank" 0, "CheckProgram" 1, "CheckVerify" 1, "CheckErase" 1.
RunOptions ReadAutoOptions(const SettingsStore& settings);
void WriteOptions(SettingsStore& settings, const RunOptions& options);

// At least one of the five options is set.
bool AnyOptionSet(const RunOptions& options);

}  // namespace vantrell
