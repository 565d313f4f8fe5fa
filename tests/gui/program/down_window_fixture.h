#pragma once
// The download window offscreen over a programming session that drives the
// writer simulator, as RUN leaves it: the writer runs the firmware of a
// small internal-flash device. Controls are found by their ids.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/busy_state.h"
#include "core/link/writer_link.h"
#include "core/master/read_master_session.h"
#include "core/platform/settings_store.h"
#include "core/program/session/programming_session.h"
#include "gui/common/control_lookup.h"
#include "gui/controls/cell_geometry.h"
#include "gui/controls/cell_header_ctrl.h"
#include "gui/controls/cell_list_ctrl.h"
#include "gui/program/down_window.h"
#include "gui/support/click_button.h"
#include "gui/support/gui_wait.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::gui::test {

using vantrell::test::ClickButton;
using vantrell::test::WaitUntil;
using namespace control_id::down_window;

inline vantrell::test::ChipDeviceSpec SmallDevice() {
  vantrell::test::ChipDeviceSpec spec;
  spec.number = 0x0123;
  spec.version = 0x0105;
  spec.chipId = 0x65;
  spec.flashMakerId = 0x5C;
  spec.flashDeviceId = 0x41;
  spec.sectorSizeKb = 1;
  spec.flashSizeKb = 16;
  spec.extendedReadId = true;
  return spec;
}

inline std::vector<std::uint8_t> Pattern(std::size_t n, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 5));
  return bytes;
}

class DownWindowTest : public ::testing::Test {
 protected:
  void UseDevice(const std::string& name, const vantrell::test::ChipDeviceSpec& spec = SmallDevice()) {
    device = vantrell::test::SelectedDeviceFor(spec, name);
    sim.SetFirmware(vantrell::test::MakeChipImage(spec));
    session.SetDevice(device);
  }

  void SetUp() override { UseDevice("VELORA-SIM"); }

  void TearDown() override {
    // A worker still going must be let finish while the GUI thread dispatches
    // the call it may be waiting in, before the session goes.
    if (window) window->close();
    EXPECT_TRUE(WaitUntil([&] { return !session.IsRunning() && !readMaster.IsRunning(); }));
    window.reset();
  }

  CDownWindow& Open() {
    window = std::make_unique<CDownWindow>(DownWindowParts{session, *settings, prompt, &readMaster});
    window->SetFileChooser([this](QWidget*) { return std::exchange(chosenFiles, {}); });
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  // A data file in the test's directory.
  std::string MakeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = files.File(name);
    vantrell::test::WriteBytes(path, bytes);
    return path;
  }

  // Load Files, with the dialog answering these paths.
  void LoadFiles(std::vector<std::string> paths) {
    chosenFiles = std::move(paths);
    QTest::mouseClick(Button(kLoadFiles), Qt::LeftButton);
  }

  QPushButton* Button(int id) { return Find<QPushButton>(id); }
  QLabel* Label(int id) { return Find<QLabel>(id); }
  std::string Text(int id) { return Label(id)->text().toStdString(); }
  CCellListCtrl* List() { return Find<CCellListCtrl>(kFileList); }
  std::string PackLine(int socket) { return Label(kFirstPackLine + socket)->text().toStdString(); }

  template <typename T>
  T* Find(int id) {
    T* control = FindControl<T>(*window, id);
    EXPECT_NE(control, nullptr) << id;
    return control;
  }

  QRect CellRect(int row, int column) { return List()->visualRect(List()->model()->index(row, column)); }
  void ClickCell(int row, int column) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CellRect(row, column).center());
  }
  void ClickBox(int row) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      CheckboxRect(CellRect(row, kEnableColumn), List()->style()).center());
  }
  void ClickCaption(int column) {
    CCellHeaderCtrl* header = List()->Header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) - 10;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  }
  // Types into the Sector No. cell's in-place edit; the edit stays open.
  QLineEdit* TypeSector(int row, const std::string& text) {
    ClickCell(row, kSectorColumn);
    auto* editor = List()->viewport()->findChild<QLineEdit*>();
    EXPECT_NE(editor, nullptr);
    if (editor == nullptr) return nullptr;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QString::fromStdString(text));
    return editor;
  }
  // Types a sector and ends the edit by moving the focus away, as a click
  // elsewhere does.
  void EditSector(int row, const std::string& text) {
    if (TypeSector(row, text) == nullptr) return;
    List()->setFocus();
    QApplication::processEvents();
  }

  bool WaitForRunEnd() {
    return WaitUntil([&] { return !session.IsRunning() && Button(kBlankCheck)->isEnabled(); }, 30000);
  }

  vantrell::test::SimHarness sim;
  vantrell::test::LogCapture capture;
  WriterLink link{sim.Driver(), capture.log};
  vantrell::test::ScriptedPrompt prompt;
  BusyState busy;
  ProgrammingSession session{link, prompt, busy};
  ReadMasterSession readMaster{link, prompt, busy};
  std::shared_ptr<MemorySettingsStore> settings = std::make_shared<MemorySettingsStore>();
  SelectedDevice device;
  vantrell::test::TempDir files;
  std::vector<std::string> chosenFiles;
  std::unique_ptr<CDownWindow> window;
};

}  // namespace vantrell::gui::test
