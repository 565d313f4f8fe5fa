// Whether a program file is being run: a process running the very file
// counts, whatever else runs.
#include "core/platform/running_program.h"

#include <filesystem>

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>

#include "core/platform/utf8_path.h"
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

#if defined(_WIN32)
constexpr const char* kSleeper = VANTRELL_SLEEPER_PROGRAM;
constexpr const char* kProgramName = "Vantrell.exe";

// A program that sleeps for 30 seconds, started from its file; ended by Stop.
struct Sleeping {
  explicit Sleeping(const std::string& program) {
    std::wstring commandLine = L"\"" + WideFromUtf8(program) + L"\" 30";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process) != 0;
  }
  void Stop() {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  PROCESS_INFORMATION process{};
  bool started = false;
};
#else
constexpr const char* kSleeper = "/bin/sleep";
constexpr const char* kProgramName = "Vantrell";

struct Sleeping {
  explicit Sleeping(const std::string& program) {
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("30"), nullptr};
    started = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, nullptr) == 0;
  }
  void Stop() {
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
  }
  pid_t child = 0;
  bool started = false;
};
#endif

TEST(RunningProgramTest, AProcessRunningTheFileIsSeenUntilItEnds) {
  test::TempDir dir;
  const std::string program = dir.File(kProgramName);
  fs::copy_file(kSleeper, program);
  fs::copy_file(kSleeper, dir.File("other"));
  EXPECT_FALSE(IsProgramFileRunning(program));

  Sleeping sleeping(program);
  ASSERT_TRUE(sleeping.started);
  EXPECT_TRUE(IsProgramFileRunning(program));
  EXPECT_FALSE(IsProgramFileRunning(dir.File("other"))) << "the same content is not the same file";
  EXPECT_FALSE(WaitUntilProgramEnds(program, milliseconds(200)));

  sleeping.Stop();
  EXPECT_TRUE(WaitUntilProgramEnds(program, milliseconds(200)));
}

}  // namespace
}  // namespace vantrell
