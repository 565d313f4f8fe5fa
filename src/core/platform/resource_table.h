#pragma once
// Binary resources carried by the program file itself. On Windows they are
// the executable's own RCDATA resources, compiled in by the build and read
// and written with the system's resource calls. Elsewhere they are a table
// appended to the executable after linking (loaders ignore bytes past the
// image), found again from its fixed-size trailer at the very end of the
// file; that format is built everywhere, for the tools and tests.
//
// Appended table layout:
// all numbers little-endian:
//   data of every entry, back to back           (starts at tableOffset)
//   directory: count entries of 16 bytes        id u32, size u32, check u32, offset u32
//   trailer, 32 bytes                           magic[8], layout u32, count u32,
//                                               tableOffset u64, directoryOffset u64
// An entry's offset counts from tableOffset; its check is FNV-1a of its bytes.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vantrell {

// Resources the program carries.
inline constexpr std::uint32_t kIdrDevVer = 147;      // the device list
inline constexpr std::uint32_t kIdrDevUpdate = 149;   // the device list editor
inline constexpr std::uint32_t kIdrAutoUpdate = 158;  // the updater

// The program reads its resources from its own file, opened by this fixed
// name in the program directory, so a renamed program finds none.
#if defined(_WIN32)
inline constexpr const char* kProgramFileName = "Vantrell.exe";
#else
inline constexpr const char* kProgramFileName = "Vantrell";
#endif

// Most entries a table may hold; more means the table is damaged.
inline constexpr std::uint32_t kMaxResourceEntries = 256;

// The step at which reading a resource failed. The names are those of the
// Windows resource calls whose failures they stand for.
enum class ResourceStep {
  None,
  LoadLibrary,   // the program file cannot be opened
  FindResource,  // the file carries no table, or no entry with that id
  LoadResource,  // the table is damaged: its parts do not fit the file
  LockResource,  // the entry's bytes cannot be read whole or fail their check
};

struct ResourceRead {
  std::vector<std::uint8_t> bytes;
  ResourceStep failedStep = ResourceStep::None;
  explicit operator bool() const { return failedStep == ResourceStep::None; }
};

using ResourceMap = std::map<std::uint32_t, std::vector<std::uint8_t>>;

// The path of the program file in a program directory.
std::string ProgramFilePath(const std::string& programDirectory);

struct ResourceTableRead {
  ResourceMap resources;
  ResourceStep failedStep = ResourceStep::None;
  explicit operator bool() const { return failedStep == ResourceStep::None; }
};

// The program file's resources, as this platform carries them.

// Reads resource id of program file path.
ResourceRead ReadProgramResource(const std::string& path, std::uint32_t id);

// Every resource of program file path, each read whole; failedStep as for
// ReadProgramResource.
ResourceTableRead ReadProgramResources(const std::string& path);

// Makes exactly these the resources of program file path (on Windows its
// RCDATA ones: icons, manifest and version stay). The new file is made
// beside the old one and takes its place only when whole: a failure (false,
// with a reason) leaves the program file as it was and nothing beside it.
bool WriteProgramResources(const std::string& path, const ResourceMap& resources, std::string* error = nullptr);

// The appended table.

// Reads resource id from the table at the end of file path.
ResourceRead ReadAppendedResource(const std::string& path, std::uint32_t id);

// Every resource of the table at the end of file path, each read whole and
// checked; failedStep as for ReadAppendedResource.
ResourceTableRead ReadAppendedResources(const std::string& path);

// Appends a table holding exactly these resources to file path, replacing
// the table it already carries (so running it again changes nothing). The
// file is replaced as a whole (see ReplacementFile): it keeps its mode, and
// a failure leaves it as it was. False with a reason when the file cannot be
// changed or carries a damaged table.
bool AppendResources(const std::string& path, const ResourceMap& resources, std::string* error = nullptr);

}  // namespace vantrell
