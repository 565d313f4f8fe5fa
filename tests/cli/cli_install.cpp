#include "cli_install.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

#include "core/link/driver_library.h"
#include "core/platform/resource_table.h"
#include "core/platform/settings_store.h"
#include "core/platform/utf8_path.h"

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

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& current,
                                         const std::vector<std::string>& overrides) {
  std::vector<std::string> env;
  for (const std::string& entry : current) {
    if (NamesADisplay(entry)) continue;
    bool replaced = false;
    for (const std::string& o : overrides) replaced = replaced || entry.compare(0, o.find('=') + 1, o, 0, o.find('=') + 1) == 0;
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), overrides.begin(), overrides.end());
  return env;
}

#if defined(_WIN32)

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> env;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* e = block; *e != L'\0'; e += wcslen(e) + 1) env.push_back(Utf8FromWide(e));
  FreeEnvironmentStringsW(block);
  return env;
}

// As CommandLineToArgvW splits it again: quotes around, a quote escaped,
// backslashes doubled only before a quote.
std::wstring Quoted(const std::string& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : WideFromUtf8(argument)) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE Inherited(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(WideFromUtf8(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The test's own part of a Ctrl+C pressed on the console it shares with
// the program: ignored (a handler, since ignoring outright would be
// inherited by the program).
BOOL WINAPI KeepRunningOnCtrlC(DWORD control) { return control == CTRL_C_EVENT; }

// Ctrl+C reaches the programs of a console: the test makes one of its own
// for the programs it starts (its own output keeps its handles), so that a
// Ctrl+C reaches no program but these. The console Wine hands a program run
// without a terminal delivers no Ctrl+C at all.
bool ShareAConsole() {
  FreeConsole();
  return AllocConsole() != 0 && SetConsoleCtrlHandler(&KeepRunningOnCtrlC, TRUE) != 0;
}

#else

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

#endif

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

#if defined(_WIN32)

// Links need a privilege on Windows: the files beside the program are copies.
CliInstall::CliInstall() {
  const fs::path bin = VANTRELL_BIN_DIR;
  fs::copy_file(VANTRELL_CLI_PROGRAM, program_.File("vantrell-cli.exe"));
  for (const char* beside : {kDriverLibraryName, kProgramFileName, "Device"}) {
    fs::copy(bin / beside, program_.File(beside), fs::copy_options::recursive);
  }
  Settings()->clear();
}

std::unique_ptr<QSettings> CliInstall::Settings() const {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QString::fromUtf8(kSettingsKey), QStringLiteral("Vantrell"));
}

CliProcess CliInstall::Start(const std::vector<std::string>& args) {
  static const bool console = ShareAConsole();
  (void)console;
  std::wstring commandLine = Quoted(program_.File("vantrell-cli.exe"));
  for (const std::string& arg : args) commandLine += L" " + Quoted(arg);
  const std::vector<std::string> current = CurrentEnvironment();
  std::wstring block;
  for (const std::string& entry : EnvironmentWith(current, {"ORBSIM_STATE_DIR=" + state_.Path()})) {
    block += WideFromUtf8(entry) + L'\0';
  }
  block += L'\0';

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inherited("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = Inherited(program_.File("out.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = Inherited(program_.File("err.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION started{};
  const bool ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr,
                                 &startup, &started) != 0;
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(h);
  if (!ok) throw std::runtime_error("cannot start vantrell-cli");
  CloseHandle(started.hThread);
  return CliProcess{static_cast<long long>(started.dwProcessId), started.hProcess};
}

void CliInstall::PressCtrlC(const CliProcess& process) {
  // As on the keyboard: to every program of the console. Ctrl+Break could
  // be sent to the program alone, but Wine delivers no event to a group.
  (void)process;
  GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}

CliResult CliInstall::Finish(const CliProcess& process) {
  WaitForSingleObject(process.handle, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.handle, &code);
  CloseHandle(process.handle);
  CliResult result;
  result.exitCode = static_cast<int>(code);
  result.out = OutputSoFar();
  result.err = vantrell::test::ReadBytes(program_.File("err.txt"));
  return result;
}

#else

CliInstall::CliInstall() {
  const fs::path bin = VANTRELL_BIN_DIR;
  fs::copy_file(VANTRELL_CLI_PROGRAM, program_.File("vantrell-cli"));
  for (const char* beside : {kDriverLibraryName, kProgramFileName, "Device"}) {
    fs::create_symlink(bin / beside, program_.File(beside));
  }
}

std::unique_ptr<QSettings> CliInstall::Settings() const {
  return std::make_unique<QSettings>(QString::fromStdString(config_.File("Vantrell PC Program of Orbelle/Vantrell.conf")),
                                     QSettings::IniFormat);
}

CliProcess CliInstall::Start(const std::vector<std::string>& args) {
  std::vector<std::string> argv{program_.File("vantrell-cli")};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = EnvironmentWith(
      CurrentEnvironment(), {"ORBSIM_STATE_DIR=" + state_.Path(), "XDG_CONFIG_HOME=" + config_.Path()});
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, program_.File("out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, program_.File("err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, argv[0].c_str(), &files, nullptr, Pointers(argv).data(), Pointers(env).data());
  posix_spawn_file_actions_destroy(&files);
  if (failed != 0) throw std::runtime_error("cannot start vantrell-cli");
  return CliProcess{pid};
}

void CliInstall::PressCtrlC(const CliProcess& process) { ::kill(static_cast<pid_t>(process.id), SIGINT); }

CliResult CliInstall::Finish(const CliProcess& process) {
  int status = 0;
  waitpid(static_cast<pid_t>(process.id), &status, 0);
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = OutputSoFar();
  result.err = vantrell::test::ReadBytes(program_.File("err.txt"));
  return result;
}

#endif

std::string CliInstall::LogBytes() const { return vantrell::test::ReadBytes(program_.File("vantrell-cli Log.txt")); }

std::string CliInstall::DataFile(const std::string& name, std::size_t bytes) const {
  fs::create_directories(Utf8Path(files_.File(name)).parent_path());
  std::vector<std::uint8_t> data(bytes);
  for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(i * 13 + 7);
  vantrell::test::WriteBytes(files_.File(name), data);
  return files_.File(name);
}

void CliInstall::ConfigureWriter(const nlohmann::json& config) {
  vantrell::test::WriteBytes(state_.File("config.json"), config.dump());
}

std::string CliInstall::OutputSoFar() const { return vantrell::test::ReadBytes(program_.File("out.txt")); }

CliResult CliInstall::Run(const std::vector<std::string>& args) { return Finish(Start(args)); }

}  // namespace vantrell::cli::test
