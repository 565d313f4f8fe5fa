#pragma once
// The command line as UTF-8. On Windows main's argv is in the ANSI code page
// (CP949 on a Korean PC), which loses every name that page cannot spell; the
// arguments are read again from the wide command line.
#include <string>
#include <vector>

namespace vantrell::cli {

class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv);
  int Count() const { return static_cast<int>(pointers_.size()); }
  const char* const* Values() const { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<const char*> pointers_;
};

}  // namespace vantrell::cli
