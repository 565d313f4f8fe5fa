#include "core/platform/utf8_file.h"

#include "core/platform/utf8_path.h"

namespace vantrell {

std::FILE* OpenUtf8File(const std::string& path, const char* mode) {
#if defined(_WIN32)
  return _wfopen(Utf8Path(path).c_str(), WideFromUtf8(mode).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace vantrell
