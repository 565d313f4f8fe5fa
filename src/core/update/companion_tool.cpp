#include "core/update/companion_tool.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>

#include <fcntl.h>

#if defined(_WIN32)
#include <windows.h>
#include <io.h>
#endif

#include "core/common/prompt.h"
#include "core/platform/detached_process.h"
#include "core/platform/resource_table.h"
#include "core/platform/utf8_path.h"
#include "core/update/installed_files.h"

namespace vantrell {

#if defined(_WIN32)
const CompanionTool kDeviceListEditor{kIdrDevUpdate, "IDR_DEV_UPDATE", "DeviceListUpdate.exe", "DevUpdateExeLoad Fail!"};
const CompanionTool kUpdater{kIdrAutoUpdate, "IDR_AUTO_UPDATE", "DiziDiverur.exe", "AutoUpdateProgramLoad Fail!"};
#else
const CompanionTool kDeviceListEditor{kIdrDevUpdate, "IDR_DEV_UPDATE", "DeviceListUpdate", "DevUpdateExeLoad Fail!"};
const CompanionTool kUpdater{kIdrAutoUpdate, "IDR_AUTO_UPDATE", "DiziDiverur", "AutoUpdateProgramLoad Fail!"};
#endif

namespace {

constexpr const char* kErrorCaption = "Error!";
// The text names the program file as the program has always called it.
constexpr const char* kProgramFileFailure = "LoadLibrary Error!(Vantrell.exe)";

std::string StepFailureText(ResourceStep step, const CompanionTool& tool) {
  switch (step) {
    case ResourceStep::FindResource: return std::string("FindResource Error!(") + tool.resourceName + ")";
    case ResourceStep::LoadResource: return std::string("LoadResource Error!(") + tool.resourceName + ")";
    case ResourceStep::LockResource: return std::string("LockResource Error!(") + tool.resourceName + ")";
    case ResourceStep::LoadLibrary:
    case ResourceStep::None: break;
  }
  return kProgramFileFailure;
}

bool CanOpenProgramFile(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path file = Utf8Path(path);
  return std::filesystem::is_regular_file(file, ec) && std::ifstream(file, std::ios::binary).is_open();
}

// A new file only: an existing one (even one that cannot be read) is never
// truncated. Executable for everyone who may read it.
std::FILE* CreateNewExecutable(const std::string& path) {
#if defined(_WIN32)
  // The C runtime's fopen knows no "x"; the system's own exclusive create does.
  const HANDLE handle = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
  return file;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0755);
  return fd < 0 ? nullptr : ::fdopen(fd, "wb");
#endif
}

// The whole tool or no file at all: a cut-off tool left behind would be
// started as it is from then on, and never replaced.
bool WriteNewExecutable(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = CreateNewExecutable(path);
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) == 0 && written) return true;
  std::error_code ec;
  std::filesystem::remove(Utf8Path(path), ec);
  return false;
}

std::string ToolPath(const CompanionTool& tool, const CompanionPlace& place) {
  return PathUtf8(Utf8Path(place.toolDirectory) / tool.fileName);
}

}  // namespace

CompanionPlace CompanionPlaceFor(const std::string& programDirectory) {
  std::error_code ec;
  const std::filesystem::path current = std::filesystem::current_path(ec);
  return {ProgramFilePath(programDirectory), ec ? std::string(".") : PathUtf8(current)};
}

bool ExtractCompanionTool(const CompanionTool& tool, const CompanionPlace& place, Prompt& prompt) {
  const auto fail = [&](const std::string& text) {
    prompt.Tell(WindowBox(kErrorCaption, text));
    return false;
  };
  if (!CanOpenProgramFile(place.programFile)) return fail(kProgramFileFailure);
  const std::string toolPath = ToolPath(tool, place);
  if (DiskInstalledFiles().IsPresent(toolPath)) return true;

  const ResourceRead resource = ReadProgramResource(place.programFile, tool.resourceId);
  if (!resource) return fail(StepFailureText(resource.failedStep, tool));
  if (!WriteNewExecutable(toolPath, resource.bytes)) return fail(std::string("WriteFile Error!(") + tool.resourceName + ")");
  return true;
}

bool LaunchCompanionTool(const CompanionTool& tool, const CompanionPlace& place, Prompt& prompt) {
  // A tool that was written but will not start is told like one that could
  // not be written: the program must not end with nothing started.
  if (ExtractCompanionTool(tool, place, prompt) && StartDetached(ToolPath(tool, place))) return true;
  prompt.Tell(ApplicationBox(tool.launchFailure));
  return false;
}

}  // namespace vantrell
