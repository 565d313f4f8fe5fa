#include "support/sim_harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "core/link/driver_library.h"
#include "descriptor/firmware_descriptor.h"
#include "support/environment.h"

namespace vantrell::test {
namespace {

struct SimControls {
  int (*configure)(const char*, char*, unsigned) = nullptr;
  void (*reset)() = nullptr;
  void (*setFirmware)(const unsigned char*, unsigned) = nullptr;
  unsigned (*status)(char*, unsigned) = nullptr;
};

// The library is bound once per process, as the program does.
struct BoundSimulator {
  DriverBinding binding = BindDriverLibraryAt(VANTRELL_SIM_LIBRARY);
  SimControls controls;
  BoundSimulator() {
    controls.configure = reinterpret_cast<decltype(controls.configure)>(FindDriverSymbol(VANTRELL_SIM_LIBRARY, "OrbSim_Configure"));
    controls.reset = reinterpret_cast<decltype(controls.reset)>(FindDriverSymbol(VANTRELL_SIM_LIBRARY, "OrbSim_Reset"));
    controls.setFirmware = reinterpret_cast<decltype(controls.setFirmware)>(FindDriverSymbol(VANTRELL_SIM_LIBRARY, "OrbSim_SetFirmware"));
    controls.status = reinterpret_cast<decltype(controls.status)>(FindDriverSymbol(VANTRELL_SIM_LIBRARY, "OrbSim_Status"));
  }
};

BoundSimulator& Simulator() {
  static BoundSimulator sim;
  return sim;
}

// An extra control of the bound simulator; fails the test when it is missing.
template <typename Function>
Function* SimControl(const char* name) {
  Simulator();
  auto* f = reinterpret_cast<Function*>(FindDriverSymbol(VANTRELL_SIM_LIBRARY, name));
  if (f == nullptr) throw std::runtime_error(std::string("writer simulator lacks ") + name);
  return f;
}

// A worker may be talking to the simulator meanwhile, so the text can grow
// between asking its length and copying it: copy until it fits.
std::string TextFrom(unsigned (*query)(char*, unsigned)) {
  std::string text(query(nullptr, 0) + 64, '\0');
  for (;;) {
    const unsigned n = query(text.data(), static_cast<unsigned>(text.size()));
    if (n < text.size()) {
      text.resize(n);
      return text;
    }
    text.assign(std::size_t{n} * 2, '\0');
  }
}

nlohmann::json JsonFrom(unsigned (*query)(char*, unsigned)) { return nlohmann::json::parse(TextFrom(query)); }

}  // namespace

SimHarness::SimHarness() {
  auto& sim = Simulator();
  if (!sim.binding || !sim.controls.reset) throw std::runtime_error("writer simulator not bound: " + sim.binding.error);
  SetEnvironmentValue("ORBSIM_STATE_DIR", dir_.Path());
  sim.controls.reset();
}

SimHarness::~SimHarness() {
  Simulator().binding.driver->Close();
}

UsbDriver& SimHarness::Driver() { return *Simulator().binding.driver; }

void SimHarness::Configure(const nlohmann::json& config) {
  char error[512] = {};
  const int ok = Simulator().controls.configure(config.dump().c_str(), error, sizeof error);
  ASSERT_EQ(ok, 1) << error;
}

std::string SimHarness::ConfigureError(const nlohmann::json& config) {
  char error[512] = {};
  if (Simulator().controls.configure(config.dump().c_str(), error, sizeof error) == 1) return {};
  return error[0] != '\0' ? std::string(error) : std::string("refused without a reason");
}

void SimHarness::SetFirmware(const std::vector<std::uint8_t>& image) {
  Simulator().controls.setFirmware(image.data(), static_cast<unsigned>(image.size()));
}

nlohmann::json SimHarness::Status() const {
  return JsonFrom(Simulator().controls.status);
}

void SimHarness::Restart() {
  SetEnvironmentValue("ORBSIM_STATE_DIR", dir_.Path());
  Simulator().controls.reset();
}

std::vector<std::uint8_t> SimHarness::ReadSocketFlash(int socket, std::uint32_t offset, std::uint32_t length) const {
  auto* read = SimControl<unsigned(int, unsigned, unsigned char*, unsigned)>("OrbSim_ReadSocketFlash");
  std::vector<std::uint8_t> bytes(length);
  bytes.resize(read(socket, offset, bytes.data(), length));
  return bytes;
}

std::uint32_t SimHarness::WriteSocketFlash(int socket, std::uint32_t offset, const std::vector<std::uint8_t>& bytes) {
  auto* write = SimControl<unsigned(int, unsigned, const unsigned char*, unsigned)>("OrbSim_WriteSocketFlash");
  return write(socket, offset, bytes.data(), static_cast<unsigned>(bytes.size()));
}

nlohmann::json SimHarness::ChipStatus() const {
  return JsonFrom(SimControl<unsigned(char*, unsigned)>("OrbSim_ChipStatus"));
}

nlohmann::json SimHarness::NandStatus() const {
  return JsonFrom(SimControl<unsigned(char*, unsigned)>("OrbSim_NandStatus"));
}

std::vector<std::uint8_t> SimHarness::ReadNandBlock(std::uint32_t block, std::uint32_t offset,
                                                    std::uint32_t length) const {
  auto* read = SimControl<unsigned(unsigned, unsigned, unsigned char*, unsigned)>("OrbSim_ReadNandBlock");
  std::vector<std::uint8_t> bytes(length);
  bytes.resize(read(block, offset, bytes.data(), length));
  return bytes;
}

std::uint64_t SimHarness::RequestCount(std::uint8_t code) const {
  char key[8];
  std::snprintf(key, sizeof key, "0x%02X", code);
  return Status()["requests"].value(key, std::uint64_t{0});
}

std::uint64_t SimHarness::TotalRequests() const {
  std::uint64_t total = 0;
  const nlohmann::json requests = Status()["requests"];
  for (const auto& [code, count] : requests.items()) total += count.get<std::uint64_t>();
  return total;
}

namespace {

// An image of spec's number and version carrying d, sized to fit it.
std::vector<std::uint8_t> ImageWithDescriptor(std::uint16_t number, std::uint16_t version,
                                              orbsim::FirmwareDescriptor d) {
  std::vector<std::uint8_t> image = MakeImage(number, version, 4 + d.Encode().size() + 256);
  d.imageSize = static_cast<std::uint32_t>(image.size());
  const std::vector<std::uint8_t> sized = d.Encode();
  std::copy(sized.begin(), sized.end(), image.begin() + 4);
  return image;
}

}  // namespace

std::vector<std::uint8_t> MakeNandImage(const NandDeviceSpec& spec) {
  orbsim::FirmwareDescriptor d;
  d.family = orbsim::Family::Nand;
  d.nandBlockSize = spec.blockSize;
  d.nandBlockCount = spec.blockCount;
  d.nandFatStartBlock = spec.fatStartBlock;
  d.nandName = spec.name;
  d.badBlocks = spec.badBlocks;
  return ImageWithDescriptor(spec.number, spec.version, d);
}

std::vector<std::uint8_t> MakeChipImage(const ChipDeviceSpec& spec) {
  orbsim::FirmwareDescriptor d;
  d.family = orbsim::Family::Chip;
  d.readIdForm = spec.extendedReadId ? orbsim::ReadIdForm::Extended : orbsim::ReadIdForm::Short;
  d.chipId = spec.chipId;
  d.flashMakerId = spec.flashMakerId;
  d.flashDeviceId = spec.flashDeviceId;
  d.sectorSizeKb = spec.sectorSizeKb;
  d.flashSizeKb = spec.flashSizeKb;
  return ImageWithDescriptor(spec.number, spec.version, d);
}

std::vector<std::uint8_t> MakeImage(std::uint16_t number, std::uint16_t version, std::size_t size) {
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const std::uint8_t header[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                  static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(version >> 8)};
  for (std::size_t i = 0; i < 4 && i < size; ++i) image[i] = header[i];
  return image;
}

SelectedDevice SelectedDeviceFor(const ChipDeviceSpec& spec, const std::string& name) {
  SelectedDevice device;
  device.number = spec.number;
  device.version = spec.version;
  device.name = name;
  device.sectorSizeKb = spec.sectorSizeKb;
  device.flashSizeKb = spec.flashSizeKb;
  device.chipId = spec.chipId;
  device.flashMakerId = spec.flashMakerId;
  device.flashDeviceId = spec.flashDeviceId;
  return device;
}

}  // namespace vantrell::test
