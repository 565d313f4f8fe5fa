#pragma once
// Sets an environment variable for a scope; programs started meanwhile
// inherit it.
#include <string>

#include "support/environment.h"

namespace vantrell::test {

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) { SetEnvironmentValue(name, value); }
  ~ScopedEnvironment() { ClearEnvironmentValue(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
};

}  // namespace vantrell::test
