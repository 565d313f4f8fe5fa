#pragma once
// The built vantrell-cli, copied into a directory of its own with the
// driver library, the device images and the windowed program's file linked
// beside it (so its log is its own), run as a separate process with the
// simulator's state and the settings in temporary directories, and without
// a display.
#include <memory>
#include <string>
#include <vector>

#include <QSettings>
#include <nlohmann/json.hpp>

#include "support/temp_dir.h"

namespace vantrell::cli::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
  // Standard output read as JSON Lines.
  std::vector<nlohmann::json> Events() const;
  // The events named kind, in order.
  std::vector<nlohmann::json> EventsNamed(const std::string& kind) const;
};

// A started vantrell-cli: its process id on Linux, its process handle on Windows.
struct CliProcess {
  long long id = -1;
#if defined(_WIN32)
  void* handle = nullptr;
#endif
};

class CliInstall {
 public:
  CliInstall();

  // Runs vantrell-cli with these arguments (standard input: nothing) until it ends.
  CliResult Run(const std::vector<std::string>& args);
  // Starts it; its output goes to files read by Finish.
  CliProcess Start(const std::vector<std::string>& args);
  // What Ctrl+C at the terminal does to it (on Windows Ctrl+Break to its own
  // process group: a group's first process ignores Ctrl+C).
  static void PressCtrlC(const CliProcess& process);
  // What a started run has written to standard output so far.
  std::string OutputSoFar() const;
  CliResult Finish(const CliProcess& process);

  // The simulator's configuration file, read when the program loads it.
  void ConfigureWriter(const nlohmann::json& config);
  const std::string& StateDir() const { return state_.Path(); }
  // The settings store both programs use, as the windows keep it: a file
  // under the test's configuration directory on Linux, the user's registry
  // key on Windows (emptied as the install is made).
  std::unique_ptr<QSettings> Settings() const;
  std::string LogBytes() const;
  std::string ProgramDir() const { return program_.Path(); }
  std::string DataFile(const std::string& name, std::size_t bytes) const;

 private:
  vantrell::test::TempDir program_;
  vantrell::test::TempDir state_;
  vantrell::test::TempDir config_;
  vantrell::test::TempDir files_;
};

}  // namespace vantrell::cli::test
