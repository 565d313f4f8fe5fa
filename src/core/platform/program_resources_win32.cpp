// The program file's resources on Windows: the executable's RCDATA
// resources, read through the loader and written with the resource update
// calls, each failure standing for the step that failed.
#if defined(_WIN32)
#include <windows.h>

#include <filesystem>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/platform/file_growth_limit.h"
#include "core/platform/resource_table.h"
#include "core/platform/utf8_path.h"

namespace vantrell {
namespace {

// The build compiles the resources in language-neutral; the program writes
// them back the same way, so that there is only ever one of each id.
constexpr WORD kResourceLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// RT_RCDATA, in the wide form whatever UNICODE is.
LPCWSTR RcdataType() { return MAKEINTRESOURCEW(10); }

std::wstring WidePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path file = std::filesystem::absolute(Utf8Path(path), ec);
  if (ec) file = Utf8Path(path);
  return file.make_preferred().wstring();
}

std::string SystemError(DWORD code) { return "error " + std::to_string(code); }

// The program file mapped for its resources only: never run, nothing it
// imports loaded.
class ResourceImage {
 public:
  explicit ResourceImage(const std::string& path)
      : module_(LoadLibraryExW(WidePath(path).c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)),
        loadError_(module_ == nullptr ? GetLastError() : NO_ERROR) {}
  ~ResourceImage() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  ResourceImage(const ResourceImage&) = delete;
  ResourceImage& operator=(const ResourceImage&) = delete;

  explicit operator bool() const { return module_ != nullptr; }
  HMODULE Module() const { return module_; }
  DWORD LoadError() const { return loadError_; }

 private:
  HMODULE module_;
  DWORD loadError_;
};

ResourceRead ReadFrom(HMODULE module, std::uint32_t id) {
  if (id > 0xFFFF) return {{}, ResourceStep::FindResource};  // no resource id can be that large
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RcdataType());
  if (found == nullptr) return {{}, ResourceStep::FindResource};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return {{}, ResourceStep::LoadResource};
  const void* data = LockResource(loaded);
  const DWORD size = SizeofResource(module, found);
  if (data == nullptr && size > 0) return {{}, ResourceStep::LockResource};
  ResourceRead read;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (size > 0) read.bytes.assign(bytes, bytes + size);
  return read;
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::uint32_t>*>(ids)->push_back(LOWORD(name));
  return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

// The ids of the file's RCDATA resources; none when it has none.
std::vector<std::uint32_t> RcdataIds(HMODULE module) {
  std::vector<std::uint32_t> ids;
  EnumResourceNamesW(module, RcdataType(), CollectId, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

struct ExistingResource {
  std::uint32_t id;
  WORD language;
};

std::vector<ExistingResource> ExistingResources(HMODULE module) {
  std::vector<ExistingResource> existing;
  for (std::uint32_t id : RcdataIds(module)) {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, RcdataType(), MAKEINTRESOURCEW(id), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    for (WORD language : languages) existing.push_back({id, language});
  }
  return existing;
}

bool Fail(std::string* error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

bool FitsResources(const ResourceMap& resources) {
  for (const auto& [id, bytes] : resources) {
    // The update calls take no data for "delete": an empty resource cannot be written.
    if (id == 0 || id > 0xFFFF || bytes.empty() || bytes.size() > std::numeric_limits<DWORD>::max()) return false;
  }
  return true;
}

// Replaces, in the copy being updated, every RCDATA resource by the given
// ones. Resources of an id that stays are overwritten in place.
bool UpdateCopy(HANDLE update, const std::vector<ExistingResource>& existing, const ResourceMap& resources) {
  for (const ExistingResource& old : existing) {
    if (resources.contains(old.id) && old.language == kResourceLanguage) continue;
    if (!UpdateResourceW(update, RcdataType(), MAKEINTRESOURCEW(old.id), old.language, nullptr, 0)) return false;
  }
  for (const auto& [id, bytes] : resources) {
    void* data = const_cast<std::uint8_t*>(bytes.data());
    if (!UpdateResourceW(update, RcdataType(), MAKEINTRESOURCEW(id), kResourceLanguage, data,
                         static_cast<DWORD>(bytes.size()))) {
      return false;
    }
  }
  return true;
}

// A new, empty file with a name of its own in directory; empty on failure.
std::wstring TemporaryFileIn(const std::wstring& directory) {
  std::wstring name(MAX_PATH + 1, L'\0');
  if (GetTempFileNameW(directory.c_str(), L"vnt", 0, name.data()) == 0) return {};
  name.resize(wcslen(name.c_str()));
  return name;
}

// Why the loader would not map path: a file that is there but is no
// executable image carries no resources (as a file without a table
// elsewhere); one that is missing or cannot be opened fails at LoadLibrary.
ResourceStep OpenFailure(const std::string& path, const ResourceImage& image) {
  const DWORD code = image.LoadError();
  if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION) return ResourceStep::LoadLibrary;
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  const bool isFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  return isFile ? ResourceStep::FindResource : ResourceStep::LoadLibrary;
}

// A size past the file growth limit the tests set fails as the write
// crossing it would.
bool PastGrowthLimit(const std::wstring& file) {
  const std::optional<std::uint64_t> limit = FileGrowthLimit();
  if (!limit) return false;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return false;
  const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return size > *limit;
}

}  // namespace

ResourceRead ReadProgramResource(const std::string& path, std::uint32_t id) {
  const ResourceImage image(path);
  if (!image) return {{}, OpenFailure(path, image)};
  return ReadFrom(image.Module(), id);
}

ResourceTableRead ReadProgramResources(const std::string& path) {
  const ResourceImage image(path);
  if (!image) return {{}, OpenFailure(path, image)};
  const std::vector<std::uint32_t> ids = RcdataIds(image.Module());
  if (ids.empty()) return {{}, ResourceStep::FindResource};
  ResourceTableRead read;
  for (std::uint32_t id : ids) {
    ResourceRead one = ReadFrom(image.Module(), id);
    if (!one) return {{}, one.failedStep};
    read.resources[id] = std::move(one.bytes);
  }
  return read;
}

bool WriteProgramResources(const std::string& path, const ResourceMap& resources, std::string* error) {
  if (!FitsResources(resources)) return Fail(error, "resource ids or sizes out of range, or an empty resource");
  std::vector<ExistingResource> existing;
  {
    const ResourceImage image(path);
    if (!image) return Fail(error, "cannot open " + path);
    existing = ExistingResources(image.Module());
  }  // unmapped again: the file is about to be replaced

  // The copy beside the program file gets the new resources and takes the
  // program file's place only when whole.
  const std::wstring target = WidePath(path);
  const std::wstring copy = TemporaryFileIn(std::filesystem::path(target).parent_path().wstring());
  if (copy.empty()) return Fail(error, "cannot create a file beside " + path + ": " + SystemError(GetLastError()));
  auto dropCopy = [&](const std::string& what) {
    const DWORD code = GetLastError();
    DeleteFileW(copy.c_str());
    return Fail(error, what + ": " + SystemError(code));
  };
  if (!CopyFileW(target.c_str(), copy.c_str(), FALSE)) return dropCopy("cannot copy " + path);
  HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
  if (update == nullptr) return dropCopy("cannot update the resources of a copy of " + path);
  if (!UpdateCopy(update, existing, resources)) {
    const DWORD code = GetLastError();
    EndUpdateResourceW(update, TRUE);
    SetLastError(code);
    return dropCopy("cannot update the resources of a copy of " + path);
  }
  if (!EndUpdateResourceW(update, FALSE)) return dropCopy("cannot write the resources of a copy of " + path);
  if (PastGrowthLimit(copy)) {
    DeleteFileW(copy.c_str());
    return Fail(error, "cannot write the new " + path + ": " + FileGrowthLimitReason());
  }
  if (!MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return dropCopy("cannot replace " + path);
  }
  return true;
}

}  // namespace vantrell
#endif
