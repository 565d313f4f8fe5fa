#include "core/platform/replacement_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrell {
namespace {

namespace fs = std::filesystem;

std::string SystemReason() { return std::strerror(errno); }

// The file the target stands for: a link is followed to the file it leads to.
std::string ResolvedTarget(const std::string& target) {
  std::error_code ec;
  const fs::path resolved = fs::canonical(target, ec);
  return ec ? target : resolved.string();
}

std::string DirectoryOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

#if !defined(_WIN32)
bool WriteAll(int handle, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(handle, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

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
  const std::string name = fs::path(target_).filename().string();
#if defined(_WIN32)
  struct _stat64 info{};
  if (_stat64(target_.c_str(), &info) == 0) {
    if ((info.st_mode & _S_IFMT) != _S_IFREG) {
      Fail(target_, "not a file");
      return;
    }
    mode_ = info.st_mode & 0777;
  }
  for (int attempt = 0; attempt < 100 && handle_ < 0; ++attempt) {
    temporary_ = directory + "\\." + name + "." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(attempt);
    handle_ = _open(temporary_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  }
  if (handle_ < 0) {
    temporary_.clear();
    Fail("cannot create a new file beside " + target_);
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

bool ReplacementFile::Fail(const std::string& what) { return Fail(what, SystemReason()); }

bool ReplacementFile::Fail(const std::string& what, const std::string& reason) {
  if (error_.empty()) error_ = what + ": " + reason;
  Discard();
  return false;
}

void ReplacementFile::Close() {
  if (handle_ < 0) return;
#if defined(_WIN32)
  _close(handle_);
#else
  ::close(handle_);
#endif
  handle_ = -1;
}

void ReplacementFile::Discard() {
  Close();
  if (temporary_.empty()) return;
  std::error_code ec;
  fs::remove(temporary_, ec);
  temporary_.clear();
}

bool ReplacementFile::Write(const void* data, std::size_t size) {
  if (!IsOpen()) return false;
#if defined(_WIN32)
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const unsigned chunk = size > 0x40000000u ? 0x40000000u : static_cast<unsigned>(size);
    const int written = _write(handle_, bytes, chunk);
    if (written <= 0) return Fail("cannot write the new " + target_);
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
#else
  return WriteAll(handle_, static_cast<const char*>(data), size) || Fail("cannot write the new " + target_);
#endif
}

bool ReplacementFile::Commit() {
  if (!IsOpen()) return false;
#if defined(_WIN32)
  if (_commit(handle_) != 0) return Fail("cannot flush the new " + target_);
  _chmod(temporary_.c_str(), static_cast<int>(mode_ & (_S_IREAD | _S_IWRITE)));
  Close();
  if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    errno = EACCES;
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
