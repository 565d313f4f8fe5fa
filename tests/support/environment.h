#pragma once
// The process's environment, which programs started meanwhile inherit. An
// empty value clears the variable on every system: Windows keeps no empty
// variables, so neither do the tests.
#include <cstdlib>
#include <string>

namespace vantrell::test {

inline void SetEnvironmentValue(const char* name, const std::string& value) {
#if defined(_WIN32)
  // The C runtime's copy and the process's (GetEnvironmentVariable, child
  // processes) both change.
  _putenv_s(name, value.c_str());
#else
  if (value.empty()) ::unsetenv(name);
  else ::setenv(name, value.c_str(), 1);
#endif
}

inline void ClearEnvironmentValue(const char* name) { SetEnvironmentValue(name, ""); }

}  // namespace vantrell::test
