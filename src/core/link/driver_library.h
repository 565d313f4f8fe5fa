#pragma once
// Binds the driver library at run time, looking in the program's own
// directory first, then in the platform's library search path.
#include <memory>
#include <string>

#include "core/link/usb_driver.h"

namespace vantrell {

#if defined(_WIN32)
inline constexpr const char* kDriverLibraryName = "OrbBulkUSB.dll";
#else
inline constexpr const char* kDriverLibraryName = "libOrbBulkUSB.so";
#endif

// The argument every connection passes to OpenDevice.
inline constexpr int kWriterDeviceId = 21;

struct DriverBinding {
  std::unique_ptr<UsbDriver> driver;  // null when binding failed
  std::string error;                  // why, for the log and tests
  explicit operator bool() const { return driver != nullptr; }
};

// Loads the library and looks up "OpenDevice", "Write", "Read", "Close" in
// that order. The library stays loaded for the rest of the process.
DriverBinding BindDriverLibrary(const std::string& programDirectory);

// Binds a library at an explicit path (tests, tools).
DriverBinding BindDriverLibraryAt(const std::string& libraryPath);

// Looks up an extra symbol of an already bound library; null when absent.
void* FindDriverSymbol(const std::string& libraryPath, const char* name);

}  // namespace vantrell
