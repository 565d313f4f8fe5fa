#pragma once
// The size field of a download file (1077 to 1079).
#include <string>

namespace vantrell {

// The file's length as "%d" when it opens for reading, else "0".
std::string NandFileSizeText(const std::string& path);

}  // namespace vantrell
