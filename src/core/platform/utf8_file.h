#pragma once
// A C stream on a file named in UTF-8. fopen takes a narrow name, which
// Windows reads in the ANSI code page: there the wide open is used instead.
#include <cstdio>
#include <string>

namespace vantrell {

// As std::fopen(path, mode); nullptr when the file cannot be opened.
std::FILE* OpenUtf8File(const std::string& path, const char* mode);

}  // namespace vantrell
