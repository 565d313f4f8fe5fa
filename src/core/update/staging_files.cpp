#include "core/update/staging_files.h"

#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "core/platform/utf8_path.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrell {
namespace {

namespace fs = std::filesystem;

bool AllOf(const std::string& text, int (*is)(int)) {
  if (text.empty()) return false;
  for (const unsigned char c : text) {
    if (is(c) == 0) return false;
  }
  return true;
}

#if defined(_WIN32)
// ".name.<process id>.<attempt>"; the process id, or 0 for another name.
unsigned long CreatorOf(const std::string& suffix) {
  const std::size_t dot = suffix.find('.');
  if (dot == std::string::npos) return 0;
  const std::string id = suffix.substr(0, dot);
  if (!AllOf(id, isdigit) || !AllOf(suffix.substr(dot + 1), isdigit) || id.size() > 10) return 0;
  return std::stoul(id);
}

bool IsStagingSuffix(const std::string& suffix) { return CreatorOf(suffix) != 0; }

bool ProcessRuns(unsigned long id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to look at
  DWORD code = 0;
  const bool runs = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return runs;
}
#else
// ".name.XXXXXX", as mkstemp completes it.
bool IsStagingSuffix(const std::string& suffix) { return suffix.size() == 6 && AllOf(suffix, isalnum); }

using FileId = std::pair<dev_t, ino_t>;

struct OpenFiles {
  std::set<FileId> held;
  std::set<uid_t> uninspected;  // owners of processes whose files could not be read
};

void AddOpenFilesOf(const std::string& process, OpenFiles& files) {
  const std::string fdDirectory = process + "/fd";
  DIR* fds = ::opendir(fdDirectory.c_str());
  if (fds == nullptr) {
    struct stat owner{};
    if (::stat(process.c_str(), &owner) == 0) files.uninspected.insert(owner.st_uid);
    return;
  }
  while (const dirent* fd = ::readdir(fds)) {
    struct stat info{};
    if (fd->d_name[0] != '.' && ::stat((fdDirectory + "/" + fd->d_name).c_str(), &info) == 0) {
      files.held.insert({info.st_dev, info.st_ino});
    }
  }
  ::closedir(fds);
}

OpenFiles OpenFilesOfAllProcesses() {
  OpenFiles files;
  DIR* processes = ::opendir("/proc");
  if (processes == nullptr) return files;
  while (const dirent* process = ::readdir(processes)) {
    if (AllOf(process->d_name, isdigit)) AddOpenFilesOf(std::string("/proc/") + process->d_name, files);
  }
  ::closedir(processes);
  return files;
}

// A staging file's whole name: a dot, a name, a dot and the suffix.
bool LooksLikeStagingName(const std::string& name) {
  if (name.size() < 9 || name[0] != '.' || name[name.size() - 7] != '.') return false;
  return IsStagingSuffix(name.substr(name.size() - 6));
}
#endif

}  // namespace

std::vector<std::string> StagingFilesOf(const std::string& target) {
  const fs::path path = Utf8Path(target);
  const std::string prefix = "." + PathUtf8(path.filename()) + ".";
  fs::path directory = path.parent_path();
  if (directory.empty()) directory = ".";
  std::vector<std::string> found;
  std::error_code ec;
  for (fs::directory_iterator entry(directory, ec), end; !ec && entry != end; entry.increment(ec)) {
    const std::string name = PathUtf8(entry->path().filename());
    if (name.rfind(prefix, 0) != 0 || !IsStagingSuffix(name.substr(prefix.size()))) continue;
    std::error_code typeError;
    if (entry->is_regular_file(typeError)) found.push_back(PathUtf8(entry->path()));
  }
  return found;
}

#if defined(_WIN32)
void RemoveAbandonedStagingFiles(const std::string& target) {
  const std::string prefix = "." + PathUtf8(Utf8Path(target).filename()) + ".";
  for (const std::string& file : StagingFilesOf(target)) {
    const std::string name = PathUtf8(Utf8Path(file).filename());
    if (ProcessRuns(CreatorOf(name.substr(prefix.size())))) continue;
    DeleteFileW(Utf8Path(file).c_str());  // refused while any process holds it
  }
}

void RemoveOwnStagingFiles(const std::string&) {}
#else
void RemoveAbandonedStagingFiles(const std::string& target) {
  const std::vector<std::string> candidates = StagingFilesOf(target);
  if (candidates.empty()) return;
  // Listed first, then the open files: a staging file is held from the
  // moment it is made, so one made meanwhile is not among the candidates.
  const OpenFiles open = OpenFilesOfAllProcesses();
  for (const std::string& file : candidates) {
    struct stat info{};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (open.held.count({info.st_dev, info.st_ino}) != 0 || open.uninspected.count(info.st_uid) != 0) continue;
    ::unlink(file.c_str());
  }
}

void RemoveOwnStagingFiles(const std::string& directory) {
  std::error_code ec;
  const std::string inside = PathUtf8(fs::canonical(Utf8Path(directory), ec)) + "/";
  if (ec) return;
  OpenFiles own;
  AddOpenFilesOf("/proc/self", own);
  DIR* fds = ::opendir("/proc/self/fd");
  if (fds == nullptr) return;
  while (const dirent* fd = ::readdir(fds)) {
    char link[4096];
    const ssize_t length = ::readlink((std::string("/proc/self/fd/") + fd->d_name).c_str(), link, sizeof(link) - 1);
    if (length <= 0) continue;
    const std::string path(link, static_cast<std::size_t>(length));
    struct stat info{};
    // The name must still lead to the very file held, not to a later one.
    if (path.rfind(inside, 0) != 0 || !LooksLikeStagingName(PathUtf8(Utf8Path(path).filename()))) continue;
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && own.held.count({info.st_dev, info.st_ino}) != 0) {
      ::unlink(path.c_str());
    }
  }
  ::closedir(fds);
}
#endif

}  // namespace vantrell
