#pragma once
// The NAND Flash Management window: what the writer reports of the NAND
// flash (Refresh) and its bad block table (Read Bad Block), and the controls
// of the download, the erase operations and the block read.
//
// The window is created afresh at every showing; what it remembers between
// showings (geometry, flags, chosen files) lives in the NAND session. Workers
// reach the window only through its bridge, which carries each call to the
// GUI thread. Closing the window abandons a worker still going: the link is
// closed and the bridge detached, so the worker shows nothing more.
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_window_view.h"
#include "gui/nand/nand_window_controls.h"
#include "gui/nand/read_nd_flash.h"

namespace vantrell {
class Prompt;
}  // namespace vantrell

namespace vantrell::gui {

class NandViewBridge;

class CNandFlashManagement : public QDialog, public NandWindowView {
  Q_OBJECT

 public:
  // The open-file dialog of Open File1 to File3: the chosen path (UTF-8),
  // none when cancelled.
  using FileChooser = std::function<std::optional<std::string>(QWidget* parent)>;

  // Initialises the window for the session's device, as every showing does.
  explicit CNandFlashManagement(NandSession& session, QWidget* parent = nullptr);
  ~CNandFlashManagement() override;

  void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  // NandWindowView, on the GUI thread only.
  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetShowPercentage(bool show) override;
  void SetInformationText(NandInfoField field, const std::string& text) override;
  void SetFatStartEditText(const std::string& text) override;
  void SetStatusText(const std::string& text) override;
  std::string EditText(NandEdit edit) override;
  void DisableOperationControls() override;
  void DisableReadBadBlock() override;
  void RestoreAll(bool hasBadBlocks) override;
  void EnableRefresh() override;
  void EnableReadBadBlock() override;
  void ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) override;
  void ShowReadBlocks(std::span<const std::uint8_t> blocks) override;

  // Closing, whichever way: the close handler runs once, then the dialog ends.
  void done(int result) override;

 private:
  void Initialise();
  void ShowTitle();
  void ShowRememberedFiles();
  void SetEditMasks();
  void ConnectControls();
  // Starts worker on the session; refused with a word while another
  // operation holds the link.
  void Start(NandWorker worker, NandBusy busy);
  // Open File k: the chosen file becomes file k, its size shown.
  void OpenFile(std::size_t k);
  // Download: the checked files loaded, then the worker.
  void Download();
  void CloseHandler();

  NandSession& session_;
  NandWindowControls controls_;
  std::shared_ptr<NandViewBridge> bridge_;
  FileChooser chooseFile_;
  // What the Read NAND Flash views of this showing saved last.
  ReadBlocksSavedFile savedBlocks_;
  bool closed_ = false;
};

}  // namespace vantrell::gui
