// devices: the device list the program carries and the images beside it,
// as All Device Information shows them. Needs no writer.
#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/commands/command_steps.h"
#include "cli/host/cli_host.h"
#include "core/devices/device_catalogue.h"
#include "core/devices/device_info.h"

namespace vantrell::cli {
namespace {

Event DeviceList(const DeviceCatalogue& catalogue) {
  Event devices = Event::array();
  for (const DeviceRecord& record : catalogue.Records()) {
    if (record.IsTerminator()) continue;
    devices.push_back({{"number", record.number},
                       {"name", record.name},
                       {"sector_size_kb", record.sectorSizeKb},
                       {"flash_size_kb", record.flashSizeKb},
                       {"chip_id", record.chipId},
                       {"flash_maker_id", record.flashMakerId},
                       {"flash_device_id", record.flashDeviceId}});
  }
  return devices;
}

Event ImageList(const std::vector<DeviceInfoRow>& rows) {
  Event images = Event::array();
  for (const DeviceInfoRow& row : rows) {
    const DeviceInfoCells cells = DeviceInfoRowTexts(row);
    Event image{{"file", row.fileName}, {"device", row.deviceName}};
    // An image whose header could not be read has no number or version.
    image["number"] = row.header ? Event(row.header->number) : Event(nullptr);
    image["version"] = row.header ? Event(cells[2]) : Event(nullptr);
    image["sector_size_kb"] = row.sectorSizeKb;
    image["flash_size_kb"] = row.flashSizeKb;
    images.push_back(image);
  }
  return images;
}

class DevicesCommand final : public CliCommand {
 public:
  void Declare(CLI::App&) override {}

  ExitCode Run(CommandContext& context) override {
    context.Start(Event::object());
    CliHost& host = context.Host();
    // The list and the images need no driver: a missing one is only told.
    if (host.StartUp(std::nullopt) == CliHost::Start::WriterBusy) return RefuseWriterBusy(context);
    MainController& controller = host.Controller();
    // "Load Device List Fail!" has been told: an empty list is not an answer
    // a script may take for "this program knows no devices".
    const bool listRead = !controller.Catalogue().Records().empty();
    return context.Finish(listRead ? ExitCode::AllPassed : ExitCode::BadInput,
                          {{"devices", DeviceList(controller.Catalogue())},
                           {"images", ImageList(ListDeviceInfo(controller.Images(), controller.Catalogue()))}});
  }
};

const CommandRegistration<DevicesCommand> kDevices("devices",
                                                   "the device list and the device images (All Device Information)");

}  // namespace
}  // namespace vantrell::cli
