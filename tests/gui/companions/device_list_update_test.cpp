// The device list editor on a copy of the built program directory, driven as
// an operator would: load, edit in place, add a device, register; then the
// program started there knows the new device.
#include "companions/device_list_editor/device_list_update_dlg.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/devices/device_info.h"
#include "core/link/driver_library.h"
#include "core/platform/resource_table.h"
#include "core/platform/settings_store.h"
#include "gui/app/main_window.h"
#include "gui/controls/cell_list_ctrl.h"
#include "gui/support/gui_wait.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::gui {
namespace {

namespace fs = std::filesystem;

enum Column { kNumber, kName, kSectorSize };

class DeviceListUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(ProgramFilePath(VANTRELL_BIN_DIR))) GTEST_SKIP() << "the program is not built";
    for (const char* name : {kProgramFileName, kDriverLibraryName, "Device"}) {
      fs::copy(fs::path(VANTRELL_BIN_DIR) / name, fs::path(copy.Path()) / name, fs::copy_options::recursive);
    }
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }

  CCellListCtrl& List() { return *dialog.List(); }
  void Press(const char* button) { QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton); }
  // Clicks the cell, types over its text and presses Enter.
  void EditCell(int row, int column, const QString& text) {
    const QModelIndex index = List().model()->index(row, column);
    List().scrollTo(index);
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().visualRect(index).center());
    auto* editor = List().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "no edit opened over row " << row << ", column " << column;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed edit goes
  }

  test::TempDir copy;
  std::string programFile = ProgramFilePath(copy.Path());
  std::shared_ptr<test::ScriptedPrompt> prompt = std::make_shared<test::ScriptedPrompt>();
  CDeviceListUpdateDlg dialog{programFile, prompt};
};

TEST_F(DeviceListUpdateTest, EditedAndAddedDevicesAreRegisteredAndTheProgramListsThem) {
  EXPECT_EQ(List().GetItemCount(), 0);
  Press("Load");
  ASSERT_EQ(List().GetItemCount(), 12);
  EXPECT_EQ(List().GetItemText(11, kName), "Not Registered!");

  EditCell(0, kName, "ORBELLE-C128-B");
  EditCell(0, kSectorSize, "8");
  EditCell(0, kSectorSize, "99999999999");  // refused, with a box naming the cell
  ASSERT_TRUE(test::WaitUntil([&] { return !prompt->Shown().empty(); }));
  EXPECT_EQ(prompt->Texts()[0].rfind("Info1(Sector Size[KB]) of row 1: ", 0), 0u) << prompt->Texts()[0];
  EXPECT_EQ(List().GetItemText(0, kSectorSize), "8");

  Press("Add");
  ASSERT_EQ(List().GetItemCount(), 13);
  EditCell(11, kNumber, "42");
  EditCell(11, kName, "ORBELLE-NEW");
  EXPECT_EQ(List().GetItemText(11, kNumber), "0x0042");
  EXPECT_EQ(List().GetItemText(12, kName), "Not Registered!");

  const QString shots = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  QDir().mkpath(shots);
  EXPECT_TRUE(dialog.grab().save(shots + "/device_list_update.png"));
  Press("Register");
  EXPECT_EQ(prompt->Texts().back(), "Complete!");
  EXPECT_EQ(ReadProgramResource(programFile, kIdrDevUpdate).bytes,
            ReadProgramResource(ProgramFilePath(VANTRELL_BIN_DIR), kIdrDevUpdate).bytes);

  // The program started in that directory.
  test::SimHarness sim;
  std::vector<std::uint8_t> image = {0x42, 0x00, 0x01, 0x01};  // device 0x0042, version 1.01
  image.resize(1024, 0xFF);
  test::WriteBytes(copy.File("Device/ORBELLE-NEW.bin"), image);
  test::TempDir logDir;
  auto mainPrompt = std::make_shared<test::ScriptedPrompt>();
  CVantrellDlg main(mainPrompt, std::make_shared<MemorySettingsStore>(),
                    ProgramLocation{logDir.File("Vantrell"), copy.Path()});
  ASSERT_TRUE(main.StartUp());
  const DeviceCatalogue& catalogue = main.Controller().Catalogue();
  EXPECT_EQ(catalogue.DeviceAt(catalogue.FindDevice(0x0001)).name, "ORBELLE-C128-B");
  EXPECT_EQ(catalogue.DeviceAt(catalogue.FindDevice(0x0001)).sectorSizeKb, 8u);
  const std::vector<DeviceInfoRow> rows = ListDeviceInfo(main.Controller().Images(), catalogue);
  const auto row = std::find_if(rows.begin(), rows.end(), [](const DeviceInfoRow& r) { return r.fileName == "ORBELLE-NEW.bin"; });
  ASSERT_NE(row, rows.end());
  EXPECT_EQ(row->deviceName, "ORBELLE-NEW");
  EXPECT_TRUE(mainPrompt->Shown().empty());
}

TEST_F(DeviceListUpdateTest, AFailedRegisterIsToldAndLeavesTheProgramFileByteForByte) {
  Press("Load");
  EditCell(2, kName, "RENAMED");
  const std::string before = test::ReadBytes(programFile);
  {
    test::ScopedFileSizeLimit limit(4096);
    Press("Register");
  }
  ASSERT_EQ(prompt->Texts().size(), 1u);
  EXPECT_EQ(prompt->Texts()[0].rfind("Register Fail! The file was left as it was.", 0), 0u) << prompt->Texts()[0];
  EXPECT_EQ(test::ReadBytes(programFile), before);

  // Closing with the edit unregistered asks first; No keeps the window.
  prompt->answers = {BoxAnswer::No};
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(prompt->Shown().back().buttons, BoxButtons::YesNo);
}

}  // namespace
}  // namespace vantrell::gui
