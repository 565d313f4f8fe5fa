// The writer simulator is a program too: it takes whatever requests a host
// sends. Fed any sequence of frames, for a chip firmware, a NAND firmware or
// none, and firmware images written into it by the update commands, it
// answers every request it takes with one packet of at most 64 bytes that
// echoes the request's code, and never more than the reader's buffer.
#include <cstdlib>
#include <filesystem>

#include "descriptor/firmware_descriptor.h"
#include "fuzz_support.h"
#include "writer_device.h"

namespace {

std::vector<std::uint8_t> Firmware(std::uint8_t family) {
  orbsim::FirmwareDescriptor d;
  d.family = static_cast<orbsim::Family>(family % 3);
  d.readIdForm = family & 4 ? orbsim::ReadIdForm::Extended : orbsim::ReadIdForm::Short;
  d.chipId = 0x51;
  d.sectorSizeKb = 1;
  d.flashSizeKb = 4;
  d.nandBlockSize = 512;
  d.nandBlockCount = 8;
  d.nandFatStartBlock = 2;
  d.nandName = "FUZZNAND";
  d.badBlocks = {5};
  std::vector<std::uint8_t> image = {0x23, 0x01, 0x05, 0x01};
  const auto encoded = d.Encode();
  image.insert(image.end(), encoded.begin(), encoded.end());
  image.resize(image.size() + 64, 0xC3);
  d.imageSize = static_cast<std::uint32_t>(image.size());
  const auto sized = d.Encode();
  std::copy(sized.begin(), sized.end(), image.begin() + 4);
  return image;
}

orbsim::WriterDevice& Writer() {
  static orbsim::WriterDevice* writer = [] {
    const std::string state = vantrell::fuzz::ScratchPath("sim");
    std::filesystem::create_directories(state);
    setenv("ORBSIM_STATE_DIR", state.c_str(), 1);
    return new orbsim::WriterDevice();
  }();
  return *writer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  orbsim::WriterDevice& writer = Writer();
  std::string error;
  writer.Configure("{}", error);
  writer.SetFirmware(Firmware(data.ConsumeIntegral<std::uint8_t>()));
  FUZZ_CHECK(writer.OpenDevice(0) == 1);
  while (data.remaining_bytes() > 0) {
    // A frame: mostly well formed (code, length, payload), sometimes not.
    std::vector<std::uint8_t> frame = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(1, 66));
    if (frame.size() >= 2 && data.ConsumeBool()) frame[1] = static_cast<std::uint8_t>(frame.size() - 2);
    std::uint32_t sent = 0;
    const int wrote = writer.Write(frame.data(), static_cast<std::uint32_t>(frame.size()), &sent, 0);
    if (wrote != 0) FUZZ_CHECK(sent == frame.size());
    std::array<std::uint8_t, 80> reply{};
    const auto capacity = data.ConsumeIntegralInRange<std::uint32_t>(1, 80);
    std::uint32_t received = 0;
    if (writer.Read(reply.data(), capacity, &received, 0) != 0) {
      FUZZ_CHECK(received <= capacity && received <= 64);
      if (received == 64) FUZZ_CHECK(reply[0] == frame[0]);
    }
  }
  writer.Close();
  return 0;
}
