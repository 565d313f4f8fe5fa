// The driver library's C interface: the four entry points the host binds,
// and a few controls for tests and tools.
#include <cstring>
#include <string>
#include <vector>

#include "families/chip/chip_family.h"
#include "families/nand/nand_family.h"
#include "writer_device.h"

// Only these functions leave the library: on Windows those marked for
// export (the linker then exports nothing else), elsewhere the visible ones.
#if defined(_WIN32)
#define ORBSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define ORBSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

ORBSIM_EXPORT int OpenDevice(int id) { return orbsim::TheWriter().OpenDevice(id); }

ORBSIM_EXPORT int Write(unsigned char* buf, unsigned int len, unsigned int* sent, unsigned int timeoutMs) {
  return orbsim::TheWriter().Write(buf, len, sent, timeoutMs);
}

ORBSIM_EXPORT int Read(unsigned char* buf, unsigned int cap, unsigned int* got, unsigned int timeoutMs) {
  return orbsim::TheWriter().Read(buf, cap, got, timeoutMs);
}

ORBSIM_EXPORT int Close(void) { return orbsim::TheWriter().Close(); }

namespace {
unsigned CopyOut(const std::string& text, char* out, unsigned capacity) {
  if (out != nullptr && capacity > 0) {
    const size_t n = std::min<size_t>(text.size(), capacity - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
  }
  return static_cast<unsigned>(text.size());
}
}  // namespace

// Replaces the configuration; 1 on success, 0 with the reason in error.
ORBSIM_EXPORT int OrbSim_Configure(const char* json, char* error, unsigned errorCapacity) {
  std::string why;
  const bool ok = orbsim::TheWriter().Configure(json ? json : "", why);
  CopyOut(why, error, errorCapacity);
  return ok ? 1 : 0;
}

// Starts over as a fresh process would, from ORBSIM_STATE_DIR.
ORBSIM_EXPORT void OrbSim_Reset(void) { orbsim::TheWriter().ReloadFromStateDirectory(); }

ORBSIM_EXPORT void OrbSim_SetFirmware(const unsigned char* image, unsigned size) {
  orbsim::TheWriter().SetFirmware(std::vector<unsigned char>(image, image + (image ? size : 0)));
}

// JSON status; returns its full length (copy cut to capacity).
ORBSIM_EXPORT unsigned OrbSim_Status(char* out, unsigned capacity) {
  return CopyOut(orbsim::TheWriter().StatusJson(), out, capacity);
}

namespace {
// Runs use on the chip family of the running firmware; false when it serves another family.
template <typename Family, typename Use>
bool WithFamily(Use use) {
  bool found = false;
  orbsim::TheWriter().VisitFamily([&](orbsim::CommandFamily* family) {
    if (auto* active = dynamic_cast<Family*>(family)) {
      use(*active);
      found = true;
    }
  });
  return found;
}

template <typename Use>
bool WithChipFamily(Use use) {
  return WithFamily<orbsim::ChipFamily>(use);
}

bool IsSocket(int socket) { return socket >= 0 && socket < static_cast<int>(orbsim::chip::kSockets); }
}  // namespace

// Copies up to length bytes of a socket's chip flash from offset; returns
// how many were copied (0 without a chip firmware, for an empty socket or
// an offset past the flash).
ORBSIM_EXPORT unsigned OrbSim_ReadSocketFlash(int socket, unsigned offset, unsigned char* buffer, unsigned length) {
  unsigned copied = 0;
  if (!IsSocket(socket) || buffer == nullptr) return 0;
  WithChipFamily([&](orbsim::ChipFamily& chips) {
    const auto flash = chips.Socket(static_cast<std::size_t>(socket)).Flash();
    if (offset >= flash.size()) return;
    copied = static_cast<unsigned>(std::min<std::size_t>(length, flash.size() - offset));
    std::memcpy(buffer, flash.data() + offset, copied);
  });
  return copied;
}

// Puts bytes straight into a socket's chip flash (stuck bits still hold);
// returns how many fit.
ORBSIM_EXPORT unsigned OrbSim_WriteSocketFlash(int socket, unsigned offset, const unsigned char* data, unsigned length) {
  unsigned written = 0;
  if (!IsSocket(socket) || data == nullptr) return 0;
  WithChipFamily([&](orbsim::ChipFamily& chips) {
    written = static_cast<unsigned>(
        chips.Socket(static_cast<std::size_t>(socket)).Overwrite(offset, std::span<const unsigned char>(data, length)));
  });
  return written;
}

// JSON of the chip family (device, open bracket, sockets), or
// {"active": false} when the firmware serves no chips; returns its full length.
ORBSIM_EXPORT unsigned OrbSim_ChipStatus(char* out, unsigned capacity) {
  nlohmann::json j = {{"active", false}};
  WithChipFamily([&](orbsim::ChipFamily& chips) {
    j = chips.StatusJson();
    j["active"] = true;
  });
  return CopyOut(j.dump(), out, capacity);
}

// JSON of the NAND family (geometry, name, open bracket, bad block table,
// FAT start block, blocks held), or {"active": false} when the firmware
// serves no NAND; returns its full length.
ORBSIM_EXPORT unsigned OrbSim_NandStatus(char* out, unsigned capacity) {
  nlohmann::json j = {{"active", false}};
  WithFamily<orbsim::NandFamily>([&](orbsim::NandFamily& nand) {
    j = nand.StatusJson();
    j["active"] = true;
  });
  return CopyOut(j.dump(), out, capacity);
}

// Copies up to length bytes of a NAND block from offset (erased bytes read
// 0xFF); returns how many were copied (0 without a NAND firmware, or for a
// block or offset past the flash).
ORBSIM_EXPORT unsigned OrbSim_ReadNandBlock(unsigned block, unsigned offset, unsigned char* buffer, unsigned length) {
  unsigned copied = 0;
  if (buffer == nullptr) return 0;
  WithFamily<orbsim::NandFamily>([&](orbsim::NandFamily& nand) {
    const orbsim::NandGeometry& g = nand.Board().Geometry();
    if (block >= g.blockCount || offset >= g.blockSize) return;
    copied = std::min(length, g.blockSize - offset);
    nand.Board().Read(block, offset, std::span<unsigned char>(buffer, copied));
  });
  return copied;
}
