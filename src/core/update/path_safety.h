#pragma once
// Names from a published manifest are untrusted: a name may only ever lead to
// a file inside the program directory.
#include <optional>
#include <string>
#include <string_view>

namespace vantrell {

// The path of the file a manifest names, "/" separating its parts, inside
// the directory; nothing when the name could lead anywhere else: empty,
// absolute (or with a drive), containing "..", a backslash or a NUL, or
// resolving (through links on disk) outside the directory. Only the links
// on the way are looked at; no file is opened.
std::optional<std::string> PathInsideDirectory(const std::string& directory, std::string_view name);

}  // namespace vantrell
