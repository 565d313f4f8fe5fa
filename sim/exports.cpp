// The driver library's C interface: the four entry points the host binds,
// and a few controls for tests and tools.
#include <cstring>
#include <string>
#include <vector>

#include "writer_device.h"

#define ORBSIM_EXPORT extern "C" __attribute__((visibility("default")))

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
