#include "core/platform/replacement_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/platform/file_growth_limit.h"
#include "core/platform/utf8_path.h"

#if defined(_WIN32)
#include <windows.h>

#include "core/platform/system_error_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrell {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
std::string SystemReason() { return SystemErrorText(GetLastError()); }

HANDLE HandleOf(void* handle) { return static_cast<HANDLE>(handle); }

// Windows keeps no mode bits but one: a file without write permission is a
// read-only file.
bool IsReadOnlyMode(unsigned mode) { return (mode & 0200) == 0; }
#else
std::string SystemReason() { return std::strerror(errno); }
#endif

// The file the target stands for: a link is followed to the file it leads to.
std::string ResolvedTarget(const std::string& target) {
  std::error_code ec;
  const fs::path resolved = fs::canonical(Utf8Path(target), ec);
  return ec ? target : PathUtf8(resolved);
}

std::string DirectoryOf(const std::string& path) {
  const fs::path parent = Utf8Path(path).parent_path();
  return parent.empty() ? std::string(".") : PathUtf8(parent);
}

#if !defined(_WIN32)
// The rename is only durable once the directory entry is on the disk too.
void FlushDirectory(const std::string& directory) {
  const int handle = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  ::fsync(handle);
  ::close(handle);
}
#endif

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target, unsigned newFileMode)
    : target_(ResolvedTarget(target)), mode_(newFileMode) {
  const std::string directory = DirectoryOf(target_);
  const std::string name = PathUtf8(Utf8Path(target_).filename());
#if defined(_WIN32)
  const DWORD attributes = GetFileAttributesW(Utf8Path(target_).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
      Fail(target_, "not a file");
      return;
    }
    mode_ = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0644;
  }
  // CREATE_NEW is the exclusive create: a name another process took is
  // passed over, any other refusal is the answer.
  const std::string stem = "." + name + "." + std::to_string(GetCurrentProcessId()) + ".";
  for (int attempt = 0; attempt < 100 && !IsOpen(); ++attempt) {
    temporary_ = PathUtf8(Utf8Path(directory) / Utf8Path(stem + std::to_string(attempt)));
    const HANDLE handle = CreateFileW(Utf8Path(temporary_).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) handle_ = handle;
    else if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (!IsOpen()) {
    const std::string reason = SystemReason();
    temporary_.clear();
    Fail("cannot create a new file beside " + target_, reason);
  }
#else
  struct stat info{};
  if (::stat(target_.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) {
      Fail(target_, "not a file");
      return;
    }
    mode_ = info.st_mode & 07777;
    ownerUser_ = info.st_uid;
    ownerGroup_ = info.st_gid;
  }
  std::string pattern = directory + "/." + name + ".XXXXXX";
  handle_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (handle_ < 0) {
    Fail("cannot create a new file beside " + target_);
    return;
  }
  temporary_ = pattern;
#endif
}

ReplacementFile::~ReplacementFile() { Discard(); }

#if defined(_WIN32)
bool ReplacementFile::IsOpen() const { return handle_ != nullptr; }
#else
bool ReplacementFile::IsOpen() const { return handle_ >= 0; }
#endif

bool ReplacementFile::Fail(const std::string& what) { return Fail(what, SystemReason()); }

bool ReplacementFile::Fail(const std::string& what, const std::string& reason) {
  if (error_.empty()) error_ = what + ": " + reason;
  Discard();
  return false;
}

void ReplacementFile::Close() {
  if (!IsOpen()) return;
#if defined(_WIN32)
  CloseHandle(HandleOf(handle_));
  handle_ = nullptr;
#else
  ::close(handle_);
  handle_ = -1;
#endif
}

void ReplacementFile::Discard() {
  Close();
  if (temporary_.empty()) return;
#if defined(_WIN32)
  // A read-only file refuses to be deleted.
  SetFileAttributesW(Utf8Path(temporary_).c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
  std::error_code ec;
  fs::remove(Utf8Path(temporary_), ec);
  temporary_.clear();
}

bool ReplacementFile::Write(const void* data, std::size_t size) {
  if (!IsOpen()) return false;
  const std::optional<std::uint64_t> limit = FileGrowthLimit();
  if (limit && written_ + size > *limit) return Fail("cannot write the new " + target_, FileGrowthLimitReason());
  if (!WriteAll(static_cast<const char*>(data), size)) return Fail("cannot write the new " + target_);
  written_ += size;
  return true;
}

// False with the system's reason still to be read.
bool ReplacementFile::WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
#if defined(_WIN32)
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(HandleOf(handle_), data, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
#else
    const ssize_t written = ::write(handle_, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
#endif
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool ReplacementFile::Commit() {
  if (!IsOpen()) return false;
#if defined(_WIN32)
  if (!FlushFileBuffers(HandleOf(handle_))) return Fail("cannot flush the new " + target_);
  const bool closed = CloseHandle(HandleOf(handle_)) != 0;
  handle_ = nullptr;
  if (!closed) return Fail("cannot close the new " + target_);
  const std::filesystem::path temporary = Utf8Path(temporary_);
  if (IsReadOnlyMode(mode_) && !SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_READONLY)) {
    return Fail("cannot set the mode of the new " + target_);
  }
  // Closed first: Windows renames no file that is still open.
  if (!MoveFileExW(temporary.c_str(), Utf8Path(target_).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Fail("cannot put the new file in place of " + target_);
  }
#else
  // Owner first: a change of owner clears the set-id bits the mode restores.
  if (ownerUser_ >= 0) {
    [[maybe_unused]] const int ignored =
        ::fchown(handle_, static_cast<uid_t>(ownerUser_), static_cast<gid_t>(ownerGroup_));
  }
  if (::fchmod(handle_, static_cast<mode_t>(mode_)) != 0) return Fail("cannot set the mode of the new " + target_);
  if (::fsync(handle_) != 0) return Fail("cannot flush the new " + target_);
  if (::close(handle_) != 0) {
    handle_ = -1;
    return Fail("cannot close the new " + target_);
  }
  handle_ = -1;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail("cannot put the new file in place of " + target_);
  FlushDirectory(DirectoryOf(target_));
#endif
  temporary_.clear();
  return true;
}

}  // namespace vantrell
