// Whether a program file is being run: a process running the very file
// counts, whatever else runs.
#include "core/platform/running_program.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(RunningProgramTest, AProcessRunningTheFileIsSeenUntilItEnds) {
  test::TempDir dir;
  const std::string program = dir.File("Vantrell");
  fs::copy_file("/bin/sleep", program);
  fs::copy_file("/bin/sleep", dir.File("other"));
  EXPECT_FALSE(IsProgramFileRunning(program));

  pid_t child = 0;
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("30"), nullptr};
  ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, nullptr), 0);
  EXPECT_TRUE(IsProgramFileRunning(program));
  EXPECT_FALSE(IsProgramFileRunning(dir.File("other"))) << "the same content is not the same file";
  EXPECT_FALSE(WaitUntilProgramEnds(program, milliseconds(200)));

  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(WaitUntilProgramEnds(program, milliseconds(200)));
}

}  // namespace
}  // namespace vantrell
