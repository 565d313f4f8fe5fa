#pragma once
// The download window: the operator's window for an internal-flash device.
// It holds the download list, shows the seven pack lines, the Total Progress
// bar and the result counters, and starts the runs of the programming
// session (Auto, Blank Check, Program, Verify, Erase All).
//
// Workers reach the window only through its bridge, which carries each call
// to the GUI thread. Closing the window abandons a run still going: the link
// is closed, the bridge detached, and the counters are saved as they stand.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/program/job/download_list.h"
#include "core/program/window/download_window_view.h"
#include "core/program/window/run_options.h"
#include "gui/program/down_window_controls.h"
#include "gui/program/run_button_rules.h"

namespace vantrell {
class ProgrammingSession;
class Prompt;
class ReadMasterSession;
class SettingsStore;
}  // namespace vantrell

namespace vantrell::gui {

class DownloadListBinding;
class DownloadViewBridge;
class DownWindowKeys;

struct DownWindowParts {
  // Holds the selected device, the options and counters, and runs the workers.
  ProgrammingSession& session;
  SettingsStore& settings;
  Prompt& prompt;
  // Reads the MASTER chip for the Read Master window; without it Read
  // Master opens nothing.
  ReadMasterSession* readMaster = nullptr;
};

class CDownWindow : public QDialog, public DownloadWindowView {
  Q_OBJECT

 public:
  using FileChooser = std::function<std::vector<std::string>(QWidget* parent)>;
  using WindowOpener = std::function<void(QWidget* parent)>;

  // Initialises the window for the session's device, as every showing does.
  explicit CDownWindow(DownWindowParts parts, QWidget* parent = nullptr);
  ~CDownWindow() override;

  // Load Files asks here for the paths (the open-file dialog unless set).
  void SetFileChooser(FileChooser chooser) { chooseFiles_ = std::move(chooser); }
  // Read Master opens this (the Read Master Chip window unless set).
  void SetReadMasterOpener(WindowOpener opener) { openReadMaster_ = std::move(opener); }

  // Files chosen with Load Files or dropped on the window.
  void AddFiles(const std::vector<std::string>& paths);
  const DownloadList& List() const { return list_; }
  std::size_t SocketCount() const { return socketCount_; }

  // DownloadWindowView, on the GUI thread only.
  void SetPackLine(std::size_t socket, const std::string& text) override;
  void SetPackColour(std::size_t socket, std::uint32_t colour) override;
  void SetTotalProgressRange(int low, int high) override;
  void SetTotalProgressPosition(int position) override;
  void SetTotalProgressShowPercentage(bool show) override;
  void SetProgressText(const std::string& text) override;
  void SetByteProgress(const ByteCount& count) override;
  void UpdateFileProgress(std::size_t row, int percent) override;
  void ShowCounters(const ResultCounters& counters) override;
  bool IsCheckSumChecked() override;
  void DisableRunButtons() override;
  void RestoreButtons() override;

  // Closing, whichever way: the close handler runs once, then the dialog ends.
  void done(int result) override;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Initialise();
  void ShowTitle();
  void ConnectButtons();
  void ApplyButtonStates();
  void ListEmptiedIfNoFiles();

  void OnLoadFiles();
  void OnRemoveFiles();
  void OnRemoveAll();
  void OnColumnClicked(int column);
  void OnAuto();
  void OnAutoKey();
  void OnSingleStage(const RunOptions& options);
  void OnEraseAll();
  void OnReset();
  void OnAutoOptionSet();
  void OnReadMaster();
  // Sorts the list, builds the job and hands it to the session.
  void StartRun();
  void CloseHandler();

  ProgrammingSession& session_;
  SettingsStore& settings_;
  Prompt& prompt_;
  DownloadList list_;
  DownWindowControls controls_;
  RunButtonRules buttons_;
  std::size_t socketCount_ = 0;
  DownloadListBinding* binding_ = nullptr;
  DownWindowKeys* keys_ = nullptr;
  std::shared_ptr<DownloadViewBridge> bridge_;
  FileChooser chooseFiles_;
  WindowOpener openReadMaster_;
  bool closed_ = false;
};

}  // namespace vantrell::gui
