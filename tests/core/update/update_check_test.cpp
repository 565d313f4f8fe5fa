// The update check end to end: the published manifest fetched over HTTP from
// a server on the loopback interface, the installation read from disk
// through a file layer that records what the check opens.
#include "core/update/update_check.h"

#include <filesystem>
#include <regex>

#include <gtest/gtest.h>

#include "core/platform/utf8_path.h"
#include "core/update/companion_files.h"
#include "core/update/companion_tool.h"
#include "core/update/http_manifest_fetcher.h"
#include "core/update/installed_files.h"
#include "core/update/manifest_server.h"
#include "support/current_directory.h"
#include "support/scoped_environment.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

class RecordingFiles : public InstalledFiles {
 public:
  bool IsPresent(const std::string& path) override {
    opened.push_back(path);
    return disk_.IsPresent(path);
  }
  std::optional<std::string> Read(const std::string& path, std::size_t maxBytes) override {
    opened.push_back(path);
    return disk_.Read(path, maxBytes);
  }
  std::vector<std::string> opened;

 private:
  DiskInstalledFiles disk_;
};

const PromptMessage kLatest = WindowBox("<Program Update Check>", "Current Program is the latest.");
const PromptMessage kOffer =
    Question("<Program Update Check>", "Current Program is not the latest.\r\nDo you want to upgrade?");
const PromptMessage kNotFound = ApplicationBox("update info can't find!");

std::string Manifest(const std::string& files) { return "<?xml version=\"1.0\"?>\n<update>" + files + "</update>"; }
std::string File(const std::string& name, const std::string& version) {
  return "<file name=\"" + name + "\" version=\"" + version + "\"/>";
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  UpdateCheckTest() {
    fs::create_directory(program.File("sub"));
    test::WriteBytes(program.File("Vantrell"), "program");
    test::WriteBytes(program.File("sub/tool.dll"), "tool");
    installed = Manifest(File("Vantrell", "1.10") + File("sub/tool.dll", "2.0"));
  }

  // Runs the command; the operator answers from the script.
  bool Check() {
    test::WriteBytes(program.File("update.xml"), installed);
    return OnUpdateCheck({fetcher, files, program.Path()}, {programFile, tools.Path()}, prompt);
  }
  std::vector<PromptMessage> Shown() const { return prompt.Shown(); }

  test::ManifestServer server;
  test::TempDir program;
  test::TempDir tools;
  test::ScopedCurrentDirectory current{tools.Path()};
  std::string programFile = ProgramFilePath(program.Path());
  std::string installed;  // the local update.xml
  HttpManifestFetcher fetcher;
  RecordingFiles files;
  test::ScriptedPrompt prompt;
};

TEST_F(UpdateCheckTest, EveryPublishedFileInstalledAtItsVersionOrNewerIsTheLatest) {
  server.manifest = Manifest(File("Vantrell", "1.9") + "<group>" + File("sub/tool.dll", "2.0") + "</group>" +
                             "<file name=\"unversioned.dll\"/>");
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(), std::vector<PromptMessage>{kLatest});
  EXPECT_TRUE(fs::is_empty(tools.Path())) << "nothing written out";
}

TEST_F(UpdateCheckTest, AnythingShortOfEveryFileConfirmedOffersTheUpdateAndNoLeavesAllAsItWas) {
  struct Case {
    const char* what;
    std::string published;
    std::string local;
  };
  const std::string local = installed;
  const Case cases[] = {
      {"an older file", Manifest(File("Vantrell", "1.11") + File("sub/tool.dll", "2.0")), local},
      {"a listed file not on disk", Manifest(File("sub/gone.dll", "1.0")), Manifest(File("sub/gone.dll", "1.0"))},
      {"no file element", Manifest(""), local},
      {"no entry with a name and a version", Manifest("<file name=\"Vantrell\"/><file version=\"1\"/>"), local},
      {"a local manifest cut off", Manifest(File("Vantrell", "1.9")), "<update><file name='Vantrell' version='9'>"},
  };
  for (const Case& c : cases) {
    server.manifest = c.published;
    installed = c.local;
    prompt.answers = {BoxAnswer::No};
    EXPECT_FALSE(Check());
    EXPECT_EQ(Shown().back(), kOffer) << c.what;
  }
  EXPECT_EQ(Shown().size(), std::size(cases));
  EXPECT_TRUE(fs::is_empty(tools.Path())) << "nothing written out";
  for (const std::string& path : files.opened) EXPECT_EQ(path.find("tool.dll"), std::string::npos) << "examined past the first older file";
}

TEST_F(UpdateCheckTest, BrokenOversizedOrUnreachableManifestsAreNotFound) {
  server.manifest = "<update><file name='Vantrell' version='1.9'></update>";
  EXPECT_FALSE(Check());
  server.manifest = Manifest(std::string(kMaxManifestBytes, ' ') + File("Vantrell", "1.9"));
  EXPECT_FALSE(Check());
  {
    test::ScopedEnvironment elsewhere(kUpdateBaseUrlVariable, server.BaseUrl() + "/elsewhere");  // 404
    EXPECT_FALSE(Check());
  }
  server.Stop();
  test::ScopedEnvironment gone(kUpdateBaseUrlVariable, server.BaseUrl());
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(), std::vector<PromptMessage>(4, kNotFound));
  EXPECT_TRUE(files.opened.empty());
}

TEST_F(UpdateCheckTest, RedirectsAreFollowedAtMostThreeTimes) {
  // /hopN/... sends the client to /hop(N-1)/..., and /hop0 to the manifest.
  server.Server().Get(R"(/hop(\d)/download/quen_vantrell/update\.xml)",
                      [](const httplib::Request& request, httplib::Response& response) {
                        const int hop = std::stoi(request.matches[1]);
                        response.set_redirect(hop == 0 ? std::string(kManifestPath)
                                                       : "/hop" + std::to_string(hop - 1) + kManifestPath);
                      });
  server.manifest = Manifest(File("Vantrell", "1.9"));
  for (const char* hops : {"/hop2", "/hop3"}) {
    test::ScopedEnvironment redirected(kUpdateBaseUrlVariable, server.BaseUrl() + hops);
    EXPECT_FALSE(Check());
  }
  EXPECT_EQ(Shown(), (std::vector<PromptMessage>{kLatest, kNotFound}));
}

TEST_F(UpdateCheckTest, ANameLeadingOutOfTheProgramDirectoryOffersTheUpdateAndIsNeverOpened) {
  const std::string base = PathUtf8(fs::canonical(Utf8Path(program.Path())) / "");
  for (const char* name : {"../../etc/passwd", "/etc/passwd", "sub\\..\\..\\x"}) {
    server.manifest = Manifest(File("Vantrell", "1.9") + File(name, "1.0"));
    installed = Manifest(File("Vantrell", "1.9") + File(name, "1.0"));
    prompt.answers = {BoxAnswer::No};
    EXPECT_FALSE(Check());
    EXPECT_EQ(Shown().back(), kOffer) << name;
  }
  ASSERT_FALSE(files.opened.empty());
  for (const std::string& path : files.opened) EXPECT_EQ(path.rfind(base, 0), 0u) << path;
}

TEST_F(UpdateCheckTest, YesWritesOutAndStartsTheUpdater) {
  test::WriteProgramFile(program, {{kIdrAutoUpdate, test::Bytes(test::ScriptLeaving("updater.started"))}});
  server.manifest = Manifest(File("Vantrell", "2.0"));
  EXPECT_TRUE(Check());
  EXPECT_EQ(Shown(), std::vector<PromptMessage>{kOffer});
  EXPECT_TRUE(fs::exists(tools.File(kUpdater.fileName)));
  EXPECT_TRUE(test::MarkerAppears(tools.File("updater.started")));
}

}  // namespace
}  // namespace vantrell
