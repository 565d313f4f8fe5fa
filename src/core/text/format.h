#pragma once
// printf-style formatting into std::string. The system's texts are printf
// formats; the attribute lets the compiler check every call's argument types.
#include <cstdarg>
#include <string>

namespace vantrell {

#if defined(__MINGW32__)
// MinGW's libstdc++ formats with the GNU printf (%zu, %lld), not Microsoft's.
#define VANTRELL_PRINTF(fmtIndex, argIndex) __attribute__((format(gnu_printf, fmtIndex, argIndex)))
#elif defined(__GNUC__)
#define VANTRELL_PRINTF(fmtIndex, argIndex) __attribute__((format(printf, fmtIndex, argIndex)))
#else
#define VANTRELL_PRINTF(fmtIndex, argIndex)
#endif

std::string FormatText(const char* format, ...) VANTRELL_PRINTF(1, 2);
std::string FormatTextV(const char* format, va_list args);

}  // namespace vantrell
