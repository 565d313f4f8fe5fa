#pragma once
// The Read Master Chip window: reads a range of the MASTER chip's internal
// flash into memory and shows it in the left dump view, saves it to a file,
// and compares it with a file shown in the right dump view, marking the bytes
// that differ in both views at once.
//
// The read runs on the session's worker, which reaches the window only
// through its bridge. Closing the window during a read abandons the read:
// the link is closed and the bridge detached. What the window read, loaded
// and named is kept in a ReadMasterMemory that outlives the window, so the
// next showing starts from it.
#include <QDialog>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/controls/hexdump/dump_notify.h"
#include "core/devices/device_record.h"
#include "core/master/read_master_view.h"
#include "gui/master/read_master_controls.h"

namespace vantrell {
class Prompt;
class ReadMasterSession;
struct ReadMasterMemory;
}  // namespace vantrell

class QPushButton;

namespace vantrell::gui {

class CHexDumpCtrl;
class ReadMasterViewBridge;

struct ReadMasterParts {
  ReadMasterSession& session;
  // Outlives the window.
  ReadMasterMemory& memory;
  // Whose IDs the MASTER chip must report and whose flash bounds the length.
  SelectedDevice device;
  // The window's own boxes; message boxes over the window unless given. A
  // read's boxes are the session's.
  Prompt* prompt = nullptr;
};

class CReadMasterDlg : public QDialog, public ReadMasterView, public HexDumpNotify {
  Q_OBJECT

 public:
  // The chosen path in UTF-8; empty when the operator cancelled.
  using PathChooser = std::function<std::string(QWidget* parent)>;

  explicit CReadMasterDlg(ReadMasterParts parts, QWidget* parent = nullptr);
  ~CReadMasterDlg() override;

  // Compare Open and Save As ask here for a path (their file dialogs unless set).
  void SetComparisonChooser(PathChooser chooser) { chooseComparison_ = std::move(chooser); }
  void SetSaveChooser(PathChooser chooser) { chooseSave_ = std::move(chooser); }

  CHexDumpCtrl* LeftView() const { return left_; }
  CHexDumpCtrl* RightView() const { return right_; }

  // ReadMasterView, on the GUI thread only.
  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetShowPercentage(bool show) override;
  void ShowFinishedRead() override;
  void EnableReadRun() override;

  // HexDumpNotify: the view whose menu opened last is the one Copy
  // Selection copies from.
  void DumpMenuOpening(int viewId, int area, int item) override;
  void DumpCommand(int viewId, int command) override;

  // Closing, whichever way: the close handler runs once, then the dialog ends.
  void done(int result) override;

 private:
  struct ButtonStates {
    bool readRun, clear, saveAs, compareOpen, compareRun;
  };

  void Initialise();
  CHexDumpCtrl* ViewOver(QWidget& placeholder);
  void ConnectButtons();
  void ShowNames();
  ButtonStates Buttons() const;
  void SetButtons(const ButtonStates& states);
  static void Enable(std::initializer_list<QPushButton*> buttons, bool enabled);

  void OnReadRun();
  void OnClear();
  void OnSaveAs();
  void OnCompareOpen();
  void OnCompareRun();
  void CopySelection();
  void CloseHandler();

  ReadMasterSession& session_;
  ReadMasterMemory& memory_;
  std::unique_ptr<Prompt> ownPrompt_;
  Prompt& prompt_;
  const SelectedDevice device_;
  ReadMasterControls controls_;
  CHexDumpCtrl* left_ = nullptr;
  CHexDumpCtrl* right_ = nullptr;
  int activeView_ = 0;  // 0 left, 1 right
  std::shared_ptr<ReadMasterViewBridge> bridge_;
  PathChooser chooseComparison_;
  PathChooser chooseSave_;
  bool closed_ = false;
};

}  // namespace vantrell::gui
