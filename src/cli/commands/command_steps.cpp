#include "cli/commands/command_steps.h"

#include <filesystem>

#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "cli/host/cli_host.h"
#include "cli/host/writer_facts.h"
#include "core/common/busy_refusal.h"
#include "core/devices/device_images.h"
#include "core/platform/utf8_path.h"
#include "core/program/chip/socket_board.h"

namespace vantrell::cli {

std::optional<ExitCode> StartWithImage(CommandContext& context, const std::optional<std::string>& imageName) {
  if (imageName) {
    const std::string missing = MissingImage(context.env.location.programDirectory, *imageName);
    if (!missing.empty()) return context.Refuse(ExitCode::BadInput, missing);
  }
  CliHost& host = context.Host();
  switch (host.StartUp(imageName)) {
    case CliHost::Start::WriterBusy:
      return RefuseWriterBusy(context);
    case CliHost::Start::NoDriver:
      return context.Refuse(ExitCode::NoDriver, "the writer's driver library could not be bound");
    case CliHost::Start::Started:
      break;
  }
  if (!host.ImageSelected()) return context.Refuse(ExitCode::BadInput, "no device image could be selected");
  return std::nullopt;
}

ExitCode RefuseWriterBusy(CommandContext& context) {
  return context.Refuse(ExitCode::WriterBusy, kWriterBusyText);
}

bool FolderOfFileExists(const std::string& path) {
  std::error_code error;
  const std::filesystem::path parent = Utf8Path(path).parent_path();
  return parent.empty() || std::filesystem::is_directory(parent, error);
}

Event ImageFields(CliHost& host) {
  const SelectedDevice& device = host.Device();
  return Event{{"image", host.ImageFileName()},
               {"device", device.name},
               {"number", device.number},
               {"version", FormatDeviceVersion(device.version)},
               {"sockets", SocketCountFor(device.name)}};
}

namespace {

std::string StopReason(RunStop stop) {
  switch (stop) {
    case RunStop::ImageNotRunnable:
      return "RUN refuses this image";
    case RunStop::Busy:
      return "another operation holds the writer";
    case RunStop::LinkNotOpened:
      return "the link to the writer could not be opened";
    case RunStop::LinkFailed:
    case RunStop::None:
      break;
  }
  return "the writer did not answer RUN's identification";
}

}  // namespace

std::variant<RunCheck, ExitCode> CompareWriter(CommandContext& context) {
  std::optional<RunCheck> check = context.Host().CheckWriter();
  if (!check) return context.Finish(ExitCode::Interrupted);
  if (check->stop == RunStop::None) return std::move(*check);
  return context.Refuse(ExitForRunStop(check->stop), StopReason(check->stop));
}

std::optional<ExitCode> RunUntilDeviceWindow(CommandContext& context, DeviceWindowKind kind) {
  CliHost& host = context.Host();
  std::variant<RunCheck, ExitCode> compared = CompareWriter(context);
  if (const ExitCode* stop = std::get_if<ExitCode>(&compared)) return *stop;
  const CliHost::Acted acted = host.Act(std::move(std::get<RunCheck>(compared)), true);
  if (acted.interrupted || context.env.interrupt.Raised()) return context.Finish(ExitCode::Interrupted);
  switch (acted.outcome) {
    case RunOutcome::Refused:
      return context.Refuse(ExitCode::BadInput, "the image's device is not registered");
    case RunOutcome::Declined:
      return context.Refuse(ExitCode::OtherFirmware, "the writer runs other firmware; --yes replaces it");
    case RunOutcome::WindowOpened:
      if (host.Prompt().Unconfirmed()) {
        return context.Refuse(ExitCode::OtherFirmware, "the writer runs another version; --yes updates it");
      }
      break;
    case RunOutcome::UpdateStarted:
      if (!acted.updated) return context.Refuse(ExitCode::LinkError, "the firmware update failed");
      break;
  }
  if (host.OpenedWindow() != kind) {
    return context.Refuse(ExitCode::BadInput, kind == DeviceWindowKind::Nand ? "the image is not of a NAND device"
                                                                             : "the image is not of an internal-flash device");
  }
  return std::nullopt;
}

}  // namespace vantrell::cli
