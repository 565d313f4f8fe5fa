#include "core/platform/whole_file_save.h"

#include <cstdio>
#include <filesystem>

#include "core/platform/replacement_file.h"
#include "core/platform/utf8_file.h"
#include "core/platform/utf8_path.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

// Creating the target for writing refused a file the operator may not
// write (read-only, a folder, held by another program), and so does the
// save: a rename would replace even a read-only file. The probe opens it
// without truncating, so nothing of it changes.
bool ExistingTargetRefusesWriting(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(Utf8Path(path), ec)) return false;
  std::FILE* file = OpenUtf8File(path, "r+b");
  if (file == nullptr) return true;
  std::fclose(file);
  return false;
}

// A device or a pipe holds no content to keep, and a rename would put a
// plain file in its place: it is written into as it is.
bool IsDeviceOrPipe(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(Utf8Path(path), ec);
  return !ec && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
}

WholeFileSave WriteInto(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = OpenUtf8File(path, "wb");
  if (file == nullptr) return WholeFileSave::NotCreated;
  const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed ? WholeFileSave::Saved : WholeFileSave::WriteFailed;
}

}  // namespace

WholeFileSave SaveWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (ExistingTargetRefusesWriting(path)) return WholeFileSave::NotCreated;
  if (IsDeviceOrPipe(path)) return WriteInto(path, bytes);
  ReplacementFile file(path);
  if (!file.IsOpen()) return WholeFileSave::NotCreated;
  if (!file.Write(bytes.data(), bytes.size()) || !file.Commit()) return WholeFileSave::WriteFailed;
  return WholeFileSave::Saved;
}

}  // namespace vantrell
