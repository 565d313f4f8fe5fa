#pragma once
// The program's version as the About box shows it.
namespace vantrell {

inline constexpr const char* kProductVersionText = "1,18,2187,66";
inline constexpr int kBuildNumber = 2187;
inline constexpr const char* kBuildDate = "2010-07-07";

}  // namespace vantrell
