#pragma once
// Sets an environment variable for a scope; programs started meanwhile
// inherit it.
#include <cstdlib>
#include <string>

namespace vantrell::test {

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
  ~ScopedEnvironment() { ::unsetenv(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
};

}  // namespace vantrell::test
