// Writing the companion tools out of the program file into the current
// directory and starting them.
#include "core/update/companion_tool.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/update/companion_files.h"
#include "support/current_directory.h"
#include "support/scoped_environment.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

class CompanionToolTest : public ::testing::Test {
 protected:
  std::string ToolFile() const { return toolDir.File(kDeviceListEditor.fileName); }
  bool Launch() { return LaunchCompanionTool(kDeviceListEditor, {programFile, toolDir.Path()}, prompt); }

  test::TempDir programDir;
  test::TempDir toolDir;
  test::ScopedCurrentDirectory current{toolDir.Path()};
  std::string programFile = ProgramFilePath(programDir.Path());
  test::ScriptedPrompt prompt;
};

TEST_F(CompanionToolTest, WritesTheToolAsAnExecutableAndStartsIt) {
  const std::string script = test::ScriptLeaving("editor.started");
  test::WriteProgramFile(programDir, {{kIdrDevUpdate, Bytes(script)}, {kIdrAutoUpdate, Bytes("other")}});
  ASSERT_TRUE(Launch());
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(test::ReadBytes(ToolFile()), script);
#if !defined(_WIN32)
  EXPECT_NE(fs::status(ToolFile()).permissions() & fs::perms::owner_exec, fs::perms::none);
#endif
  EXPECT_TRUE(test::MarkerAppears(toolDir.File("editor.started")));
}

TEST_F(CompanionToolTest, AFileOfTheToolsNameIsStartedAsItIsAndNeverReplaced) {
  test::WriteProgramFile(programDir, {{kIdrDevUpdate, Bytes(test::ScriptLeaving("carried.started"))}});
  const std::string present = test::ScriptLeaving("present.started");
  test::WriteBytes(ToolFile(), present);
  fs::permissions(ToolFile(), fs::perms::owner_all);
  ASSERT_TRUE(Launch());
  EXPECT_EQ(test::ReadBytes(ToolFile()), present);
  EXPECT_TRUE(test::MarkerAppears(toolDir.File("present.started")));
  EXPECT_FALSE(fs::exists(toolDir.File("carried.started")));
}

TEST_F(CompanionToolTest, EachFailedStepIsToldThenTheLaunchFailure) {
  const auto expectFailure = [&](const std::string& stepText) {
    SCOPED_TRACE(stepText);
    test::ScriptedPrompt fresh;
    EXPECT_FALSE(LaunchCompanionTool(kDeviceListEditor, {programFile, toolDir.Path()}, fresh));
    EXPECT_EQ(fresh.Shown(), (std::vector<PromptMessage>{WindowBox("Error!", stepText),
                                                        ApplicationBox("DevUpdateExeLoad Fail!")}));
    EXPECT_FALSE(fs::exists(ToolFile()));
  };
  expectFailure("LoadLibrary Error!(Vantrell.exe)");  // no program file

  test::WriteBytes(programFile, std::string(64, 'P'));
  expectFailure("FindResource Error!(IDR_DEV_UPDATE)");  // no resources at all
  test::WriteProgramFile(programDir, {{kIdrAutoUpdate, Bytes("updater")}});
  expectFailure("FindResource Error!(IDR_DEV_UPDATE)");  // resources without the tool

#if !defined(_WIN32)
  // The appended table checks each resource's bytes; Windows maps the
  // image whole and has no such check to fail.
  test::WriteProgramFile(programDir, {{kIdrDevUpdate, Bytes("editor")}});
  std::string damaged = test::ReadBytes(programFile);
  damaged[64] ^= 0x01;  // the tool's first byte no longer passes its check
  test::WriteBytes(programFile, damaged);
  expectFailure("LockResource Error!(IDR_DEV_UPDATE)");
#endif

  // A directory that takes no new files, whoever asks.
  test::WriteProgramFile(programDir, {{kIdrDevUpdate, Bytes("editor")}});
  test::ScriptedPrompt readOnly;
#if defined(_WIN32)
  const std::string noNewFiles = toolDir.File("no such directory");
#else
  const std::string noNewFiles = "/proc";
#endif
  EXPECT_FALSE(LaunchCompanionTool(kDeviceListEditor, {programFile, noNewFiles}, readOnly));
  EXPECT_EQ(readOnly.Texts(), (std::vector<std::string>{"WriteFile Error!(IDR_DEV_UPDATE)", "DevUpdateExeLoad Fail!"}));
}

TEST_F(CompanionToolTest, AToolThatWillNotStartKeepsTheProgramOpen) {
  test::WriteProgramFile(programDir, {{kIdrDevUpdate, Bytes("no program at all")}});
  EXPECT_FALSE(Launch());
  EXPECT_EQ(prompt.Shown(), (std::vector<PromptMessage>{ApplicationBox("DevUpdateExeLoad Fail!")}));
}

TEST_F(CompanionToolTest, TheBuiltProgramCarriesBothCompanionsAndTheyStart) {
  const std::string built = ProgramFilePath(VANTRELL_BIN_DIR);
  if (!fs::exists(built)) GTEST_SKIP() << "the program is not built";
  // Probed, each shows its window, leaves its marker and ends with no work done.
  test::ScopedEnvironment probe(kCompanionProbeVariable, "1");
  for (const CompanionTool* tool : {&kDeviceListEditor, &kUpdater}) {
    ASSERT_TRUE(LaunchCompanionTool(*tool, {built, toolDir.Path()}, prompt)) << tool->fileName;
#if defined(_WIN32)
    EXPECT_EQ(test::ReadBytes(toolDir.File(tool->fileName)).substr(0, 2), "MZ");
#else
    EXPECT_EQ(test::ReadBytes(toolDir.File(tool->fileName)).substr(0, 4), "\x7f" "ELF");
#endif
    EXPECT_TRUE(test::MarkerAppears(toolDir.File(std::string(tool->fileName) + ".started")));
  }
  EXPECT_TRUE(prompt.Shown().empty());
}

}  // namespace
}  // namespace vantrell
