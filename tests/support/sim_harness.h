#pragma once
// A writer simulator for one test: a fresh state directory, the driver
// library bound as the program binds it, and the simulator's controls.
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/link/usb_driver.h"
#include "support/temp_dir.h"

namespace vantrell::test {

class SimHarness {
 public:
  SimHarness();
  ~SimHarness();

  UsbDriver& Driver();
  // Replaces the simulator's configuration; fails the test when refused.
  void Configure(const nlohmann::json& config);
  void SetFirmware(const std::vector<std::uint8_t>& image);
  nlohmann::json Status() const;
  // Starts the simulator over from its state directory, as a new process would.
  void Restart();
  const std::string& StateDir() const { return dir_.Path(); }

 private:
  TempDir dir_;
};

// An image: 4-byte header (number, version) and filler.
std::vector<std::uint8_t> MakeImage(std::uint16_t number, std::uint16_t version, std::size_t size);

}  // namespace vantrell::test
