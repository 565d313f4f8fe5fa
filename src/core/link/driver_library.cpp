#include "core/link/driver_library.h"

#if defined(_WIN32)
#include <windows.h>

#include <filesystem>

#include "core/platform/utf8_path.h"
#else
#include <dlfcn.h>
#endif

namespace vantrell {
namespace {

using OpenDeviceFn = int (*)(int);
using WriteFn = int (*)(unsigned char*, unsigned int, unsigned int*, unsigned int);
using ReadFn = int (*)(unsigned char*, unsigned int, unsigned int*, unsigned int);
using CloseFn = int (*)();

class LibraryUsbDriver final : public UsbDriver {
 public:
  LibraryUsbDriver(OpenDeviceFn open, WriteFn write, ReadFn read, CloseFn close)
      : open_(open), write_(write), read_(read), close_(close) {}

  int OpenDevice(int id) override { return open_(id); }
  int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) override {
    return write_(buffer, length, sent, timeoutMs);
  }
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) override {
    return read_(buffer, capacity, received, timeoutMs);
  }
  void Close() override { close_(); }

 private:
  OpenDeviceFn open_;
  WriteFn write_;
  ReadFn read_;
  CloseFn close_;
};

#if defined(_WIN32)
using LibraryHandle = HMODULE;
constexpr char kPathSeparator = '\\';
// A path names that file, whose own dependencies are then looked for beside
// it first. A bare name is looked for in the program's directory first, then
// in the system's directories (never the current directory).
// That search wants a whole path with backslashes.
LibraryHandle OpenLibrary(const std::string& path) {
  if (path.find_first_of("\\/") == std::string::npos) {
    return LoadLibraryExW(WideFromUtf8(path).c_str(), nullptr,
                          LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  }
  std::error_code ec;
  std::filesystem::path file = std::filesystem::absolute(Utf8Path(path), ec);
  if (ec) file = Utf8Path(path);
  file.make_preferred();
  return LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
void* LookUp(LibraryHandle h, const char* name) { return reinterpret_cast<void*>(GetProcAddress(h, name)); }
std::string LastLoadError() { return "error " + std::to_string(GetLastError()); }
#else
using LibraryHandle = void*;
constexpr char kPathSeparator = '/';
LibraryHandle OpenLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void* LookUp(LibraryHandle h, const char* name) { return dlsym(h, name); }
std::string LastLoadError() {
  const char* e = dlerror();
  return e ? e : "unknown error";
}
#endif

template <typename Fn>
Fn LookUpAs(LibraryHandle h, const char* name) {
  return reinterpret_cast<Fn>(LookUp(h, name));
}

DriverBinding BindHandle(LibraryHandle handle) {
  // The handle is deliberately never released: the entry points must stay
  // valid for every thread until the process ends.
  auto open = LookUpAs<OpenDeviceFn>(handle, "OpenDevice");
  if (!open) return {nullptr, "missing export OpenDevice"};
  auto write = LookUpAs<WriteFn>(handle, "Write");
  if (!write) return {nullptr, "missing export Write"};
  auto read = LookUpAs<ReadFn>(handle, "Read");
  if (!read) return {nullptr, "missing export Read"};
  auto close = LookUpAs<CloseFn>(handle, "Close");
  if (!close) return {nullptr, "missing export Close"};
  return {std::make_unique<LibraryUsbDriver>(open, write, read, close), {}};
}

}  // namespace

DriverBinding BindDriverLibraryAt(const std::string& libraryPath) {
  LibraryHandle handle = OpenLibrary(libraryPath);
  if (!handle) return {nullptr, "cannot load " + libraryPath + ": " + LastLoadError()};
  return BindHandle(handle);
}

DriverBinding BindDriverLibrary(const std::string& programDirectory) {
  // A library found beside the program is the one used, even when it turns
  // out to lack an export: the search order decides which file, not which works.
  if (!programDirectory.empty()) {
    if (LibraryHandle local = OpenLibrary(programDirectory + kPathSeparator + kDriverLibraryName)) return BindHandle(local);
  }
  return BindDriverLibraryAt(kDriverLibraryName);
}

void* FindDriverSymbol(const std::string& libraryPath, const char* name) {
  LibraryHandle handle = OpenLibrary(libraryPath);
  return handle ? LookUp(handle, name) : nullptr;
}

}  // namespace vantrell
