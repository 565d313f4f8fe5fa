#include "cli_install.h"

#include <filesystem>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace vantrell::cli::test {
namespace {

namespace fs = std::filesystem;

// A line controller has no display: none is handed on.
bool NamesADisplay(const std::string& entry) {
  for (const char* name : {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}) {
    if (entry.rfind(name, 0) == 0) return true;
  }
  return false;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& overrides) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (NamesADisplay(entry)) continue;
    bool replaced = false;
    for (const std::string& o : overrides) replaced = replaced || entry.compare(0, o.find('=') + 1, o, 0, o.find('=') + 1) == 0;
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), overrides.begin(), overrides.end());
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::vector<nlohmann::json> CliResult::Events() const {
  std::vector<nlohmann::json> events;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) events.push_back(nlohmann::json::parse(line));
  return events;
}

std::vector<nlohmann::json> CliResult::EventsNamed(const std::string& kind) const {
  std::vector<nlohmann::json> named;
  for (const auto& event : Events()) {
    if (event.value("event", "") == kind) named.push_back(event);
  }
  return named;
}

CliInstall::CliInstall() {
  const fs::path bin = VANTRELL_BIN_DIR;
  fs::copy_file(VANTRELL_CLI_PROGRAM, program_.File("vantrell-cli"));
  for (const char* beside : {"libOrbBulkUSB.so", "Vantrell", "Device"}) {
    fs::create_symlink(bin / beside, program_.File(beside));
  }
}

std::string CliInstall::SettingsFile() const {
  return config_.File("Vantrell PC Program of Orbelle/Vantrell.conf");
}

std::string CliInstall::LogBytes() const { return vantrell::test::ReadBytes(program_.File("vantrell-cli Log.txt")); }

std::string CliInstall::DataFile(const std::string& name, std::size_t bytes) const {
  fs::create_directories(fs::path(files_.File(name)).parent_path());
  std::vector<std::uint8_t> data(bytes);
  for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(i * 13 + 7);
  vantrell::test::WriteBytes(files_.File(name), data);
  return files_.File(name);
}

void CliInstall::ConfigureWriter(const nlohmann::json& config) {
  vantrell::test::WriteBytes(state_.File("config.json"), config.dump());
}

pid_t CliInstall::Start(const std::vector<std::string>& args) {
  std::vector<std::string> argv{program_.File("vantrell-cli")};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env =
      EnvironmentWith({"ORBSIM_STATE_DIR=" + state_.Path(), "XDG_CONFIG_HOME=" + config_.Path()});
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, program_.File("out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, program_.File("err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, argv[0].c_str(), &files, nullptr, Pointers(argv).data(), Pointers(env).data());
  posix_spawn_file_actions_destroy(&files);
  if (failed != 0) throw std::runtime_error("cannot start vantrell-cli");
  return pid;
}

std::string CliInstall::OutputSoFar() const { return vantrell::test::ReadBytes(program_.File("out.txt")); }

CliResult CliInstall::Finish(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = OutputSoFar();
  result.err = vantrell::test::ReadBytes(program_.File("err.txt"));
  return result;
}

CliResult CliInstall::Run(const std::vector<std::string>& args) { return Finish(Start(args)); }

}  // namespace vantrell::cli::test
