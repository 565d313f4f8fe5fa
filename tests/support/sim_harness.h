#pragma once
// A writer simulator for one test: a fresh state directory, the driver
// library bound as the program binds it, and the simulator's controls.
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/devices/device_record.h"
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
  // Offers a configuration; the simulator's reason when it refuses it, empty when taken.
  std::string ConfigureError(const nlohmann::json& config);
  void SetFirmware(const std::vector<std::uint8_t>& image);
  nlohmann::json Status() const;
  // Starts the simulator over from its state directory, as a new process would.
  void Restart();
  const std::string& StateDir() const { return dir_.Path(); }

  // The chip family of an internal-flash firmware.
  // Up to length bytes of a socket's flash (fewer past its end; none for an
  // empty socket or without a chip firmware).
  std::vector<std::uint8_t> ReadSocketFlash(int socket, std::uint32_t offset, std::uint32_t length) const;
  // Puts bytes straight into a socket's flash; returns how many fit.
  std::uint32_t WriteSocketFlash(int socket, std::uint32_t offset, const std::vector<std::uint8_t>& bytes);
  // Device, open bracket and sockets; {"active": false} without a chip firmware.
  nlohmann::json ChipStatus() const;
  // The NAND family of a NAND firmware: geometry, name, open bracket, bad
  // block table, FAT start block and blocks held; {"active": false} without one.
  nlohmann::json NandStatus() const;
  // Up to length bytes of a NAND block from offset (erased bytes read 0xFF).
  std::vector<std::uint8_t> ReadNandBlock(std::uint32_t block, std::uint32_t offset, std::uint32_t length) const;
  // Requests with this command code received since the last configuration.
  std::uint64_t RequestCount(std::uint8_t code) const;
  // Requests of every code received so far.
  std::uint64_t TotalRequests() const;

 private:
  TempDir dir_;
};

// An image: 4-byte header (number, version) and filler.
std::vector<std::uint8_t> MakeImage(std::uint16_t number, std::uint16_t version, std::size_t size);

// The firmware of an internal-flash device, as the simulator emulates it.
struct ChipDeviceSpec {
  std::uint16_t number = 1;
  std::uint16_t version = 0x0100;
  std::uint8_t chipId = 0x51;
  std::uint8_t flashMakerId = 0x3A;
  std::uint8_t flashDeviceId = 0x21;
  std::uint32_t sectorSizeKb = 4;
  std::uint32_t flashSizeKb = 128;
  bool extendedReadId = false;  // Read ID also reports the internal flash's IDs
};
std::vector<std::uint8_t> MakeChipImage(const ChipDeviceSpec& spec);
// The selected device the program would have for an image of that spec.
SelectedDevice SelectedDeviceFor(const ChipDeviceSpec& spec, const std::string& name);

// The firmware of a NAND device, as the simulator emulates it.
struct NandDeviceSpec {
  std::uint16_t number = 0x0004;
  std::uint16_t version = 0x0101;
  std::uint32_t blockSize = 2048;
  std::uint32_t blockCount = 64;
  std::uint32_t fatStartBlock = 7;
  std::string name = "SIMNAND";
  std::vector<std::uint32_t> badBlocks = {3, 40};
};
std::vector<std::uint8_t> MakeNandImage(const NandDeviceSpec& spec);

}  // namespace vantrell::test
