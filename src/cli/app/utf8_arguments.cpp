#include "cli/app/utf8_arguments.h"

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>

#include "core/platform/utf8_path.h"
#endif

namespace vantrell::cli {

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
#if defined(_WIN32)
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) texts_.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
  }
  if (texts_.empty()) texts_.assign(argv, argv + argc);
#else
  texts_.assign(argv, argv + argc);
#endif
  for (const std::string& text : texts_) pointers_.push_back(text.c_str());
}

}  // namespace vantrell::cli
