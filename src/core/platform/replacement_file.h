#pragma once
// A new version of a file, written beside it and put in its place only when
// it is whole. Until Commit the original stays as it was, byte for byte; a
// failure at any step (a full disk, a server gone, a crash) leaves the old
// file, never a mixture, and removes what was written of the new one.
//
// Commit keeps the replaced file's mode (its executable bits included; on
// Windows, its read-only state) and, where the system allows, its owner; flushes the new file to the disk;
// renames it over the original in one step; and flushes the directory, so
// that the rename outlives a power cut.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrell {

class ReplacementFile {
 public:
  // Mode of a file that did not exist before.
  static constexpr unsigned kNewFileMode = 0644;

  // Creates the new version's temporary file in target's directory. A
  // target that is a link stands for the file it leads to.
  explicit ReplacementFile(const std::string& target, unsigned newFileMode = kNewFileMode);
  // Drops the new version unless it was committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // False once anything failed; Error() then says what.
  bool Write(const void* data, std::size_t size);
  // Puts the new version in place of the target. False, with the target
  // untouched, when any step before the rename failed.
  bool Commit();
  // Drops the new version at once.
  void Discard();

  bool IsOpen() const;
  const std::string& Target() const { return target_; }
  const std::string& TemporaryPath() const { return temporary_; }
  // The first failure, with the system's reason; empty while all went well.
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& what, const std::string& reason);
  bool Fail(const std::string& what);  // with the system's reason
  bool WriteAll(const char* data, std::size_t size);
  void Close();

  std::string target_;
  std::string temporary_;
  std::string error_;
  unsigned mode_ = kNewFileMode;
  long long ownerUser_ = -1;  // -1: keep the creator as owner
  long long ownerGroup_ = -1;
  std::uint64_t written_ = 0;
#if defined(_WIN32)
  void* handle_ = nullptr;  // the new file's HANDLE while open
#else
  int handle_ = -1;
#endif
};

}  // namespace vantrell
