// "All Device Information" opened from the main window's Info menu, over the
// sample images the build puts into the Device directory.
#include "gui/devices/bin_file_info.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include "core/platform/settings_store.h"
#include "gui/app/main_window.h"
#include "gui/common/control_lookup.h"
#include "gui/controls/cell_header_ctrl.h"
#include "gui/controls/cell_list_ctrl.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::gui {
namespace {

using namespace control_id::bin_file_info;

TEST(BinFileInfoTest, ListsEveryImageInNameOrderWithItsDevice) {
  test::SimHarness sim;
  test::TempDir logDir;
  auto prompt = std::make_shared<test::ScriptedPrompt>();
  CVantrellDlg main(prompt, std::make_shared<MemorySettingsStore>(),
                    ProgramLocation{logDir.File("Vantrell"), VANTRELL_BIN_DIR});
  ASSERT_TRUE(main.StartUp());
  main.show();
  const std::vector<std::string> files = main.Controller().Images().FileNames();
  ASSERT_GT(files.size(), 1u);

  std::vector<std::vector<std::string>> rows;
  std::vector<int> widths;
  std::vector<std::string> captions;
  int listWidth = 0;
  QTimer::singleShot(0, [&] {
    auto* view = qobject_cast<CBinFileInfo*>(QApplication::activeModalWidget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "All Device Information");
    CCellListCtrl* list = view->findChild<CCellListCtrl*>(ControlName(kList));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    listWidth = list->width();
    for (int c = 0; c < list->GetColumnCount(); ++c) {
      widths.push_back(list->Header()->sectionSize(c));
      captions.push_back(list->Model().Column(c)->description.caption);
      EXPECT_EQ(list->Model().Column(c)->captionColour, 0xFF0000u) << "blue captions";
    }
    for (int r = 0; r < list->GetItemCount(); ++r) {
      rows.emplace_back();
      for (int c = 0; c < 6; ++c) rows.back().push_back(list->GetItemText(r, c).toStdString());
    }
    EXPECT_TRUE(list->showGrid());
    const QString dir = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
    QDir().mkpath(dir);
    EXPECT_TRUE(view->grab().save(dir + "/all_device_information.png"));
    view->close();
  });
  main.findChild<QAction*>("32781")->trigger();

  ASSERT_EQ(rows.size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(rows[i][5], files[i]);
  const auto& firstDevice = main.Controller().Images().Selected();  // the first image is selected at start
  EXPECT_EQ(rows[0][0], firstDevice.name);
  EXPECT_EQ(rows[0][2], FormatDeviceVersion(firstDevice.version));
  EXPECT_EQ(captions, (std::vector<std::string>{"Dev Name", "Dev No.", "Version", "Sec Size[KB]", "Flash Size[KB]",
                                                "File Name"}));
  const int w = listWidth - 6;
  EXPECT_EQ(widths, (std::vector<int>{2 * w / 11, w / 11, w / 11, 2 * w / 11, 2 * w / 11, 3 * w / 11}));
  EXPECT_TRUE(prompt->Shown().empty());
  main.close();
}

TEST(BinFileInfoTest, WithoutImagesTheListShowsItsHint) {
  CBinFileInfo view({}, nullptr);
  EXPECT_EQ(view.List()->GetItemCount(), 0);
  EXPECT_EQ(view.List()->Model().EmptyMessage(), "[Load] button click to view the Device List");
}

}  // namespace
}  // namespace vantrell::gui
