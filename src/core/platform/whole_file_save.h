#pragma once
// Saving bytes as the whole content of a file, replacing one that exists,
// so that nothing is lost whatever goes wrong: the bytes go to a new file
// beside the target, which takes the target's place only once it is written
// and on the disk (see ReplacementFile). A full disk, a failing write or a
// crash leaves the old file as it was and no partial file beside it.
#include <cstdint>
#include <span>
#include <string>

namespace vantrell {

enum class WholeFileSave {
  Saved,
  NotCreated,   // the target cannot be written, or no file can be made beside it
  WriteFailed,  // the bytes did not all reach the disk; the target is unchanged
};

// path is UTF-8.
WholeFileSave SaveWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace vantrell
