#pragma once
// Steps several commands share: starting the program with an image, the
// image's fields for the start event, and RUN up to the device window.
#include <optional>
#include <string>
#include <variant>

#include "cli/app/exit_codes.h"
#include "cli/output/event_output.h"
#include "core/app/run_controller.h"

namespace vantrell::cli {

class CliHost;
class CommandContext;

// Starts the program the way the main window starts, with the image named
// (the one the windows selected last when none is named). Nothing when the
// command may go on, else the exit code after saying why: no such image or
// an unreadable one (4), no driver library (7), the writer held by
// another program (8).
std::optional<ExitCode> StartWithImage(CommandContext& context, const std::optional<std::string>& imageName);

// Another program holds the writer: the windows' busy line, and its code.
ExitCode RefuseWriterBusy(CommandContext& context);

// The folder a file is to be saved in exists (a bare name: the current one).
bool FolderOfFileExists(const std::string& path);

// "image", "device", "number", "version" and "sockets" of the selected image.
Event ImageFields(CliHost& host);

// RUN's comparison of the writer with the image: the check, or the exit
// code after saying why it could not be made (Ctrl+C, an image RUN
// refuses, the link).
std::variant<RunCheck, ExitCode> CompareWriter(CommandContext& context);

// RUN as the main window's button runs it, until the device's window would
// open: the writer's firmware is compared with the image and, when they
// differ and the operator agrees (--yes), replaced by it. Nothing when the
// window of that kind is open, else the exit code after saying why.
std::optional<ExitCode> RunUntilDeviceWindow(CommandContext& context, DeviceWindowKind kind);

}  // namespace vantrell::cli
