#pragma once
// The exit codes of vantrell-cli, the same for every command. The README's
// table lists them; scripts rely on them.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/link/link_result.h"

namespace vantrell::cli {

enum class ExitCode : int {
  AllPassed = 0,          // every served socket passed (or the command did what it was asked)
  SomeFailed = 1,         // some sockets failed
  AllFailed = 2,          // every socket failed
  LinkError = 3,          // the writer link: open, write, read, a reply that was not the one expected
  BadInput = 4,           // bad arguments, a missing file, a job the device cannot take
  OtherFirmware = 5,      // the writer runs other firmware than the image
  NeedsConfirmation = 6,  // a question needed --yes (or an answer on a terminal)
  NoDriver = 7,           // the writer's driver library could not be bound
  WriterBusy = 8,         // another program (a window, another vantrell-cli) is using the writer
  Interrupted = 130,      // Ctrl+C: the run was abandoned
};

constexpr int ToInt(ExitCode code) { return static_cast<int>(code); }

// What an exit code means, in one line ("some sockets failed"); empty for a
// number that is not one of them.
const char* ExitCodeMeaning(int code);
// The same for what the command named ended with, where its code 2 means
// something other than failed sockets (a comparison that differed, a bad
// block met).
const char* ExitCodeMeaning(int code, std::string_view command);
// Every exit code with its meaning, one a line, as --help lists them.
std::string ExitCodeTable();

// A chip run (download, blank check, Erase All) that ended with code, with
// passed of its served sockets still alive. linkOpened is false when the run
// could not open the link (it then ends with a failure already reported).
ExitCode ExitForChipRun(LinkResult code, std::size_t served, std::size_t passed, bool linkOpened = true);

// A NAND operation that ended with code: a bad block met is the flash's
// failure (2), a run refused before it began (Reported with the link open)
// bad input (4), anything else but Finished the link's (3).
ExitCode ExitForNandRun(LinkResult code, bool linkOpened = true);

// The name of a LinkResult as results report it ("Finished", "CommError", ...).
const char* LinkResultName(LinkResult code);

}  // namespace vantrell::cli
