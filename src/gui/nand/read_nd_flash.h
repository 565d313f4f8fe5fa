#pragma once
// The Read NAND Flash view: the blocks a Read Block read, as a read-only hex
// dump, from which the operator copies a selection (the view's "Copy
// Selection") or saves them all to a file (Save As).
//
// The view shows the worker's read-back buffer itself, which lives until
// the view has closed. GUI thread only.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "core/controls/hexdump/dump_notify.h"

class QLineEdit;

namespace vantrell {
class Prompt;
}  // namespace vantrell

namespace vantrell::gui {

class CHexDumpCtrl;

// The file the blocks were last saved to, remembered by the NAND window for
// every view it opens while it is shown.
struct ReadBlocksSavedFile {
  QString name;  // without its folder, as edit 1094 shows it
  QString path;
};

// "Bin File(*.bin)|*.bin|모든파일(*.*)|*.*||"
inline constexpr const char* kReadBlocksFileFilter = "Bin File(*.bin)|*.bin|모든파일(*.*)|*.*||";

class CReadNdFlash : public QDialog, public HexDumpNotify {
  Q_OBJECT

 public:
  // The save-file dialog: the chosen path, none when cancelled.
  using SaveFileChooser = std::function<std::optional<QString>(QWidget* parent)>;

  CReadNdFlash(std::span<const std::uint8_t> blocks, ReadBlocksSavedFile& lastSaved, Prompt& prompt,
               QWidget* parent = nullptr);
  ~CReadNdFlash() override;

  void SetSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile_ = std::move(chooser); }
  CHexDumpCtrl& DumpView() const { return *view_; }

  // HexDumpNotify: the menu's Copy Selection; nothing else is acted on.
  void DumpCommand(int viewId, int command) override;

 private:
  void CopySelection();
  void SaveAs();

  std::span<const std::uint8_t> blocks_;
  ReadBlocksSavedFile& lastSaved_;
  Prompt& prompt_;
  CHexDumpCtrl* view_ = nullptr;
  QLineEdit* fileName_ = nullptr;
  SaveFileChooser chooseSaveFile_;
};

// The system's save-file dialog as Save As shows it: "NAND_Blocks.bin",
// extension "bin", bin files first in the filter.
std::optional<QString> ChooseReadBlocksFile(QWidget* parent);

}  // namespace vantrell::gui
