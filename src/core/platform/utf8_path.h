#pragma once
// Text inside the program is UTF-8, file names included. The file system
// sees them through these: on Windows a path is UTF-16, and a narrow name
// would go through the ANSI code page (CP949 on a Korean PC) and miss every
// file whose name is not plain ASCII.
#include <filesystem>
#include <string>
#include <string_view>

namespace vantrell {

// The file system's path for a UTF-8 name.
std::filesystem::path Utf8Path(std::string_view utf8);

// A path as UTF-8 text again.
std::string PathUtf8(const std::filesystem::path& path);

#if defined(_WIN32)
// UTF-8 to UTF-16 and back for the Win32 calls that take wide text.
// Malformed UTF-8 becomes U+FFFD rather than cutting the text.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
#endif

}  // namespace vantrell
