#pragma once
// Lists the device images ("*.bin") of a directory.
#include <string>
#include <system_error>
#include <vector>

namespace vantrell {

struct ImageDirectoryListing {
  // File names with their extension, in byte order of the names so that the
  // combo index means the same image from one start to the next (directory
  // order is arbitrary on most file systems).
  std::vector<std::string> names;
  // Why listing could not start: a missing directory, or no image in it.
  std::error_code openError;
  // Why listing stopped before the end; names then holds what came before.
  std::error_code nextError;
};

// Regular files whose names end in ".bin" in any letter case, as the
// platform's own "*.bin" match finds them; directories are left out.
ImageDirectoryListing ListImageDirectory(const std::string& directory);

// The name before its last ".", or the whole name when it has none.
std::string NameWithoutExtension(const std::string& fileName);

}  // namespace vantrell
