#pragma once
// RUN's comparison as results report it: what the writer runs, what the
// image is, and what RUN decided.
#include "cli/app/exit_codes.h"
#include "cli/output/event_output.h"
#include "core/app/run_controller.h"

namespace vantrell::cli {

// {"writer": {...}, "image": {...}, "decision": "..."}; each identity has
// its number, device name and version ("1.05").
Event ComparisonFields(const RunCheck& check);

// "same", "update-version", "replace-unregistered", "image-not-registered"
// or "replace-device".
const char* DecisionName(RunStep step);

// RUN stopped before comparing: a bad image is bad input, everything else
// is the link's.
ExitCode ExitForRunStop(RunStop stop);

}  // namespace vantrell::cli
