#include "cli/app/exit_codes.h"

#include "core/text/format.h"

namespace vantrell::cli {
namespace {

struct Meaning {
  ExitCode code;
  const char* text;
};

constexpr Meaning kMeanings[] = {
    {ExitCode::AllPassed, "every served socket passed (or the command did what it was asked)"},
    {ExitCode::SomeFailed, "some sockets failed"},
    {ExitCode::AllFailed, "every socket failed"},
    {ExitCode::LinkError, "writer link error (open, write, read, a reply not the one expected)"},
    {ExitCode::BadInput, "bad input or usage (missing file, refused job, bad argument)"},
    {ExitCode::OtherFirmware, "the writer runs other firmware than the image"},
    {ExitCode::NeedsConfirmation, "a question needs --yes"},
    {ExitCode::NoDriver, "the writer's driver library could not be bound"},
    {ExitCode::WriterBusy, "another program is using the writer"},
    {ExitCode::Interrupted, "Ctrl+C: the run was abandoned"},
};

}  // namespace

const char* ExitCodeMeaning(int code) {
  for (const Meaning& m : kMeanings) {
    if (ToInt(m.code) == code) return m.text;
  }
  return "";
}

const char* ExitCodeMeaning(int code, std::string_view command) {
  if (code == ToInt(ExitCode::AllFailed)) {
    if (command == "read-master") return "the MASTER chip's data differ from the comparison file";
    if (command.starts_with("nand ")) return "the flash refused a block (a bad block met)";
  }
  return ExitCodeMeaning(code);
}

std::string ExitCodeTable() {
  std::string table = "Exit codes:";
  for (const Meaning& m : kMeanings) table += FormatText("\n  %-4d %s", ToInt(m.code), m.text);
  return table;
}

ExitCode ExitForChipRun(LinkResult code, std::size_t served, std::size_t passed, bool linkOpened) {
  if (!linkOpened) return ExitCode::LinkError;
  switch (code) {
    case LinkResult::WriteUsbError:
    case LinkResult::ReadUsbError:
    case LinkResult::CommError:
      return ExitCode::LinkError;
    case LinkResult::Finished:
      if (passed >= served && served > 0) return ExitCode::AllPassed;
      return passed == 0 ? ExitCode::AllFailed : ExitCode::SomeFailed;
    default:
      // Reported: every chip failed its checks.
      return passed == 0 ? ExitCode::AllFailed : ExitCode::SomeFailed;
  }
}

ExitCode ExitForNandRun(LinkResult code, bool linkOpened) {
  if (!linkOpened) return ExitCode::LinkError;
  switch (code) {
    case LinkResult::Finished:
      return ExitCode::AllPassed;
    case LinkResult::BadBlock:
      return ExitCode::AllFailed;
    case LinkResult::Reported:
      return ExitCode::BadInput;
    default:
      return ExitCode::LinkError;
  }
}

const char* LinkResultName(LinkResult code) {
  switch (code) {
    case LinkResult::Reported:
      return "Reported";
    case LinkResult::Success:
      return "Success";
    case LinkResult::WriteUsbError:
      return "WriteUsbError";
    case LinkResult::ReadUsbError:
      return "ReadUsbError";
    case LinkResult::CommError:
      return "CommError";
    case LinkResult::Finished:
      return "Finished";
    case LinkResult::BadBlock:
      return "BadBlock";
  }
  return "Unknown";
}

}  // namespace vantrell::cli
