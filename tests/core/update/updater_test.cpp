// The updater against a real HTTP server on the loopback interface: what it
// replaces, deletes and records, and what it never touches.
#include "core/update/updater/update_run.h"

#include <filesystem>
#include <mutex>
#include <set>

#include <gtest/gtest.h>

#include "core/platform/resource_table.h"
#include "core/platform/utf8_path.h"
#include "core/update/companion_files.h"
#include "core/update/http_manifest_fetcher.h"
#include "core/update/updater/updater_view.h"
#include "support/current_directory.h"
#include "support/temp_dir.h"
#include "support/update_server.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

// The program's file, as the published lists name it on this platform.
const std::string kProgram = kProgramFileName;

class RecordingView : public UpdaterView {
 public:
  void ShowStatus(const std::string& text) override { Add(status, text); }
  void ShowProgress(int percent) override { Add(progress, percent); }
  void Log(const std::string& line) override { Add(log, line); }
  std::vector<std::string> status;
  std::vector<int> progress;
  std::vector<std::string> log;

 private:
  template <typename T>
  void Add(std::vector<T>& to, const T& value) {
    std::lock_guard<std::mutex> lock(mutex_);
    to.push_back(value);
  }
  std::mutex mutex_;
};

std::string List(const std::string& files) { return "<?xml version=\"1.0\"?>\n<list>" + files + "</list>"; }
std::string File(const std::string& name, const std::string& version = "") {
  return "<file name=\"" + name + "\" version=\"" + version + "\"/>";
}

// Every file under a directory with its content.
std::map<std::string, std::string> Snapshot(const std::string& directory) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(directory))) {
    if (entry.is_regular_file()) files[PathUtf8(fs::relative(entry.path(), Utf8Path(directory)))] = test::ReadBytes(PathUtf8(entry.path()));
  }
  return files;
}

class UpdaterTest : public ::testing::Test {
 protected:
  UpdaterTest() {
    fs::create_directories(program.File("lib"));
    test::WriteBytes(ProgramFile(), test::ScriptLeaving("Vantrell.started"));
    fs::permissions(ProgramFile(), fs::perms::owner_all);
    test::WriteBytes(program.File("lib/engine.so"), "engine 1.0");
    test::WriteBytes(program.File("help.txt"), "help 1.0");
    test::WriteBytes(program.File("old.dll"), "old");
    test::WriteBytes(program.File("update.xml"),
                     List(File(kProgram, "1.0") + File("lib/engine.so", "1.0") + File("help.txt", "2.0")));
    test::WriteBytes(outside.File("sentinel"), "outside");
  }

  std::string ProgramFile() const { return program.File(kProgram); }
  void Publish(const std::string& manifest, const std::string& deletions) {
    server.Publish("update.xml", manifest);
    server.Publish("delete_list.xml", deletions);
  }
  UpdateOutcome Run() {
    UpdaterSettings settings = UpdaterSettingsFor(program.Path(), program.File("DiziDiverur"));
    settings.programEndWait = std::chrono::milliseconds(300);
    settings.isRunning = [this](const std::string&) { return programRuns; };
    HttpManifestFetcher fetcher;
    test::ScopedCurrentDirectory inside(program.Path());  // where the updater runs, and starts the program
    return Updater(settings, fetcher, view).Run();
  }

  test::UpdateServer server;
  test::TempDir program;
  test::TempDir outside;
  RecordingView view;
  bool programRuns = false;
};

TEST_F(UpdaterTest, OutdatedFilesAreReplacedListedOnesDeletedAndTheProgramStartedAgain) {
  const std::string published =
      List(File(kProgram, "1.1") + File("lib/engine.so", "1.10") + File("help.txt", "2.0") + File("lib/new.so", "1"));
  Publish(published, List(File("old.dll") + File("never-there.dll")));
  server.Publish(kProgram, test::ScriptLeaving("Vantrell.started") + "# 1.1\n");
  server.Publish("lib/engine.so", "engine 1.10");
  server.Publish("lib/new.so", "new");

  EXPECT_EQ(Run(), UpdateOutcome::Updated) << ::testing::PrintToString(view.log);
  EXPECT_EQ(test::ReadBytes(ProgramFile()), test::ScriptLeaving("Vantrell.started") + "# 1.1\n");
#if !defined(_WIN32)
  EXPECT_EQ(fs::status(ProgramFile()).permissions(), fs::perms::owner_all) << "the program stays executable";
#endif
  EXPECT_EQ(test::ReadBytes(program.File("lib/engine.so")), "engine 1.10");
  EXPECT_EQ(test::ReadBytes(program.File("lib/new.so")), "new");
  EXPECT_EQ(test::ReadBytes(program.File("help.txt")), "help 1.0") << "current files are not fetched";
  EXPECT_FALSE(fs::exists(program.File("old.dll")));
  EXPECT_EQ(test::ReadBytes(program.File("update.xml")), published);
  EXPECT_TRUE(test::MarkerAppears(program.File("Vantrell.started")));
  const std::vector<std::string> requests = server.Requests();
  EXPECT_EQ(std::set<std::string>(requests.begin(), requests.end()),
            (std::set<std::string>{"update.xml", "delete_list.xml", kProgram, "lib/engine.so", "lib/new.so"}));
  EXPECT_EQ(view.progress.back(), 100);
}

TEST_F(UpdaterTest, AServerThatGoesAwayMidDownloadLeavesEveryFileAsItWas) {
  const std::string big(256 * 1024, 'e');
  Publish(List(File(kProgram, "1.1") + File("lib/engine.so", "2.0")), List(File("old.dll")));
  server.Publish(kProgram, "new program");
  server.Publish("lib/engine.so", big, /*cut=*/true);
  const auto before = Snapshot(program.Path());

  EXPECT_EQ(Run(), UpdateOutcome::Failed);
  EXPECT_EQ(Snapshot(program.Path()), before) << "no file replaced, half-written, deleted or left behind";
  EXPECT_EQ(view.status.back(), "Update failed. No file was changed.");
  ASSERT_FALSE(view.log.empty());
  EXPECT_EQ(view.log.back().rfind("Failed: lib/engine.so: ", 0), 0u) << view.log.back();
}

TEST_F(UpdaterTest, AMissingDeleteListStopsTheUpdateBeforeAnyDownload) {
  server.Publish("update.xml", List(File(kProgram, "1.1")));
  server.Publish(kProgram, "new program");
  const auto before = Snapshot(program.Path());
  EXPECT_EQ(Run(), UpdateOutcome::Failed);
  EXPECT_EQ(Snapshot(program.Path()), before);
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{"update.xml", "delete_list.xml"}));
  EXPECT_EQ(view.status.back(), "Could not read delete_list.xml from the update server. No file was changed.");
}

TEST_F(UpdaterTest, HostileNamesAreRefusedAndNothingOutsideIsTouched) {
  std::error_code noLink;
  fs::create_directory_symlink(Utf8Path(outside.Path()), Utf8Path(program.File("link")), noLink);
#if defined(_WIN32)
  // Wine, and Windows without the right to make links, make none.
  if (noLink) GTEST_SKIP() << "no symbolic link can be made here: " << noLink.message();
#endif
  ASSERT_FALSE(noLink) << noLink.message();
  const std::string escape = "../" + fs::path(outside.Path()).filename().string() + "/sentinel";
  Publish(List(File(escape, "9") + File(outside.File("sentinel"), "9") + File("lib\\engine.so", "9") +
               File("link/sentinel", "9") + File("DiziDiverur", "9")),
          List(File(escape) + File("link/sentinel") + File(kProgram) + File("lib")));
  test::WriteBytes(program.File("DiziDiverur"), "the running updater");
  for (const std::string name : {"sentinel", "link/sentinel", "DiziDiverur"}) server.Publish(name, "hostile");
  const auto inside = Snapshot(program.Path());

  EXPECT_EQ(Run(), UpdateOutcome::UpdatedWithProblems);
  ASSERT_TRUE(test::MarkerAppears(program.File("Vantrell.started")));
  fs::remove(program.File("Vantrell.started"));
  EXPECT_EQ(Snapshot(outside.Path()), (std::map<std::string, std::string>{{"sentinel", "outside"}}));
  auto expected = inside;
  expected["update.xml"] = test::ReadBytes(program.File("update.xml"));  // the published list, recorded
  EXPECT_EQ(Snapshot(program.Path()), expected);
  EXPECT_EQ(view.log.size(), 9u) << ::testing::PrintToString(view.log);
  for (const std::string& requested : server.Requests()) {
    EXPECT_TRUE(requested == "update.xml" || requested == "delete_list.xml") << requested;
  }
}

TEST_F(UpdaterTest, AProgramThatDoesNotEndInTimeStopsTheUpdateBeforeAnythingChanges) {
  Publish(List(File(kProgram, "1.1")), List(File("old.dll")));
  server.Publish(kProgram, "new program");
  programRuns = true;
  const auto before = Snapshot(program.Path());
  EXPECT_EQ(Run(), UpdateOutcome::ProgramStillRunning);
  EXPECT_EQ(Snapshot(program.Path()), before);
  EXPECT_EQ(view.status.back(), kProgram + " is still running. Close it, then start the update again.");
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
}  // namespace vantrell
