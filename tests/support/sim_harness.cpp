#include "support/sim_harness.h"

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "core/link/driver_library.h"

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

}  // namespace

SimHarness::SimHarness() {
  auto& sim = Simulator();
  if (!sim.binding || !sim.controls.reset) throw std::runtime_error("writer simulator not bound: " + sim.binding.error);
  setenv("ORBSIM_STATE_DIR", dir_.Path().c_str(), 1);
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

void SimHarness::SetFirmware(const std::vector<std::uint8_t>& image) {
  Simulator().controls.setFirmware(image.data(), static_cast<unsigned>(image.size()));
}

nlohmann::json SimHarness::Status() const {
  const unsigned n = Simulator().controls.status(nullptr, 0);
  std::string text(n + 1, '\0');
  Simulator().controls.status(text.data(), n + 1);
  text.resize(n);
  return nlohmann::json::parse(text);
}

void SimHarness::Restart() {
  setenv("ORBSIM_STATE_DIR", dir_.Path().c_str(), 1);
  Simulator().controls.reset();
}

std::vector<std::uint8_t> MakeImage(std::uint16_t number, std::uint16_t version, std::size_t size) {
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const std::uint8_t header[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                  static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(version >> 8)};
  for (std::size_t i = 0; i < 4 && i < size; ++i) image[i] = header[i];
  return image;
}

}  // namespace vantrell::test
