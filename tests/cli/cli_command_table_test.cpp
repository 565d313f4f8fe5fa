// Commands of a group ("sample echo" here, as "nand info" would be) become
// subcommands of the group's own subcommand, and every level has its help.
#include <sstream>

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include "cli/app/cli_environment.h"
#include "cli/app/command.h"
#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "core/platform/settings_store.h"

namespace vantrell::cli::test {
namespace {

class EchoCommand final : public CliCommand {
 public:
  void Declare(CLI::App& command) override { command.add_option("word", word_)->required(); }
  ExitCode Run(CommandContext& context) override { return context.Finish(ExitCode::AllPassed, {{"word", word_}}); }

 private:
  std::string word_;
};

const CommandGroupRegistration kSample("sample", "a group of commands for this test");
const CommandRegistration<EchoCommand> kEcho("sample echo", "answers with its word");

struct Ran {
  int code = -1;
  std::string out;
  std::string err;
};

Ran RunWith(std::vector<const char*> args) {
  MemorySettingsStore settings;
  Interrupt interrupt;
  std::ostringstream out;
  std::ostringstream err;
  CliEnvironment env{{"/nowhere/vantrell-cli", "/nowhere"}, settings, out, err, false, nullptr, interrupt};
  args.insert(args.begin(), "vantrell-cli");
  const int code = RunCli(static_cast<int>(args.size()), args.data(), env);
  return {code, out.str(), err.str()};
}

TEST(CliCommandTableTest, AGroupsCommandRunsUnderTheGroupWithTheSharedOptions) {
  const Ran ran = RunWith({"sample", "echo", "hello", "--json"});
  ASSERT_EQ(ran.code, 0) << ran.err;
  const auto result = nlohmann::json::parse(ran.out);
  EXPECT_EQ(result["command"], "sample echo");
  EXPECT_EQ(result["word"], "hello");
  EXPECT_EQ(RunWith({"--json", "sample", "echo", "hello"}).out, ran.out) << "the shared options may come first";

  EXPECT_NE(RunWith({"--help"}).out.find("a group of commands for this test"), std::string::npos);
  const Ran groupHelp = RunWith({"sample", "--help"});
  EXPECT_EQ(groupHelp.code, 0);
  EXPECT_NE(groupHelp.out.find("answers with its word"), std::string::npos) << groupHelp.out;
  const Ran commandHelp = RunWith({"sample", "echo", "--help"});
  EXPECT_NE(commandHelp.out.find("--json"), std::string::npos) << commandHelp.out;
  EXPECT_NE(commandHelp.out.find("word"), std::string::npos) << commandHelp.out;
}

TEST(CliCommandTableTest, NamingNoCommandIsAUsageErrorWithTheHelpSoFar) {
  const Ran bare = RunWith({});
  EXPECT_EQ(bare.code, 4);
  EXPECT_NE(bare.err.find("Exit codes"), std::string::npos) << bare.err;
  const Ran groupOnly = RunWith({"sample"});
  EXPECT_EQ(groupOnly.code, 4);
  EXPECT_NE(groupOnly.err.find("answers with its word"), std::string::npos) << groupOnly.err;
  EXPECT_EQ(groupOnly.out, "") << "nothing ran";
  EXPECT_EQ(RunWith({"sample", "echo"}).code, 4) << "its word is required";
  EXPECT_EQ(RunWith({"frobnicate"}).code, 4);
}

}  // namespace
}  // namespace vantrell::cli::test
