// The updater against an update server on the loopback interface: the built
// program run whole as the main program starts it, and its window.
#include "companions/updater/dizi_diverur_dlg.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/platform/resource_table.h"
#include "core/update/companion_files.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/support/gui_wait.h"
#include "support/current_directory.h"
#include "support/temp_dir.h"
#include "support/update_server.h"

namespace vantrell::gui {
namespace {

namespace fs = std::filesystem;

std::string List(const std::string& files) { return "<list>" + files + "</list>"; }
std::string File(const std::string& name, const std::string& version = "") {
  return "<file name=\"" + name + "\" version=\"" + version + "\"/>";
}

// The program file by its fixed name, and the updater's (".exe" on Windows).
const std::string kProgram = kProgramFileName;
#if defined(_WIN32)
const std::string kUpdater = "DiziDiverur.exe";
#else
const std::string kUpdater = "DiziDiverur";
#endif

class DiziDiverurTest : public ::testing::Test {
 protected:
  DiziDiverurTest() {
    test::WriteBytes(dir.File(kProgram), test::ScriptLeaving("Vantrell.started"));
    fs::permissions(dir.File(kProgram), fs::perms::owner_all);
    test::WriteBytes(dir.File("engine.so"), "engine 1");
    test::WriteBytes(dir.File("old.dll"), "old");
    test::WriteBytes(dir.File("update.xml"), List(File(kProgram, "1") + File("engine.so", "1")));
  }

  test::UpdateServer server;
  test::TempDir dir;
};

TEST_F(DiziDiverurTest, TheBuiltUpdaterUpdatesStartsTheProgramAndRemovesItself) {
  const std::string published = List(File(kProgram, "2") + File("engine.so", "2"));
  server.Publish("update.xml", published);
  server.Publish("delete_list.xml", List(File("old.dll")));
  server.Publish(kProgram, test::ScriptLeaving("Vantrell.started") + "# version 2\n");
  server.Publish("engine.so", "engine 2");
  fs::copy_file(VANTRELL_UPDATER_FILE, dir.File(kUpdater));

  QProcess updater;
  updater.setWorkingDirectory(QString::fromStdString(dir.Path()));
  updater.start(QString::fromStdString(dir.File(kUpdater)), {});
  ASSERT_TRUE(updater.waitForFinished(60000)) << updater.readAllStandardError().toStdString();
  EXPECT_EQ(updater.exitCode(), 0) << updater.readAllStandardError().toStdString();

  EXPECT_EQ(test::ReadBytes(dir.File(kProgram)), test::ScriptLeaving("Vantrell.started") + "# version 2\n");
  EXPECT_EQ(test::ReadBytes(dir.File("engine.so")), "engine 2");
  EXPECT_FALSE(fs::exists(dir.File("old.dll")));
  EXPECT_EQ(test::ReadBytes(dir.File("update.xml")), published);
  EXPECT_TRUE(test::MarkerAppears(dir.File("Vantrell.started")));
  // Windows lets the file go only once the process has ended.
  EXPECT_TRUE(test::WaitUntil([&] { return !fs::exists(dir.File(kUpdater)); }, 10000))
      << "the updater removes its own file";
}

TEST_F(DiziDiverurTest, TheWindowShowsTheProgressAndWhatWasRefused) {
  server.Publish("update.xml", List(File("engine.so", "2") + File("../escape.so", "2")));
  server.Publish("delete_list.xml", List(""));
  server.Publish("engine.so", "engine 2");
  test::ScopedCurrentDirectory inside(dir.Path());
  UpdaterSettings settings = UpdaterSettingsFor(dir.Path(), dir.File(kUpdater));
  CDiziDiverurDlg window(settings);
  window.show();
  window.StartUpdate();
  ASSERT_TRUE(test::WaitUntil([&] { return window.Outcome().has_value(); }, 30000));
  EXPECT_EQ(window.Outcome(), UpdateOutcome::UpdatedWithProblems);
  QApplication::processEvents();
  EXPECT_EQ(window.Status()->text(), "Update complete, with problems; see the list.");
  EXPECT_EQ(window.Progress()->GetPosition(), 100);
  ASSERT_EQ(window.Log()->count(), 2);
  EXPECT_EQ(window.Log()->item(0)->text(), "Refused: \"../escape.so\" could lead outside the program directory");
  EXPECT_EQ(window.Log()->item(1)->text(), "Updated: engine.so (2)");
  EXPECT_TRUE(window.isVisible()) << "a window with problems to read stays open";
  EXPECT_EQ(window.findChild<QPushButton*>("Close")->text(), "Close");

  const QString shots = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  QDir().mkpath(shots);
  EXPECT_TRUE(window.grab().save(shots + "/dizi_diverur.png"));
  EXPECT_TRUE(test::MarkerAppears(dir.File("Vantrell.started")));
}

}  // namespace
}  // namespace vantrell::gui
