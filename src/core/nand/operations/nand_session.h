#pragma once
// What the main window keeps for the NAND window across its showings: the
// selected device, what was learnt of the flash, the files chosen for a
// download, and the worker thread. The window starts its workers here and
// abandons them here when it closes.
//
// Threads: every method is meant for the window's thread, except
// KeepFlashState, which the workers call.
#include <memory>
#include <mutex>
#include <optional>

#include "core/devices/device_record.h"
#include "core/link/link_result.h"
#include "core/nand/operations/nand_flash_state.h"
#include "core/nand/operations/nand_window_view.h"
#include "core/operation/operation_runner.h"

namespace vantrell {

class BusyLease;
class BusyState;
class NandRun;
struct NandDownload;
class Prompt;
class RunControl;
class WriterLink;

using NandWorker = int (*)(NandRun&);

// What a worker's start turns off in the window.
enum class NandBusy {
  OperationControls,  // Refresh, Download, Erase, Erase All, Read Block
  ReadBadBlockOnly,   // Read Bad Block
};

class NandSession final : public NandStateKeeper {
 public:
  // busy is the main window's one busy state, shared with every other
  // operation on the link. The session goes before the link, prompt and
  // busy state it refers to.
  NandSession(WriterLink& link, Prompt& prompt, BusyState& busy);
  // Abandons a worker still going and waits for it to let go.
  ~NandSession() override;
  NandSession(const NandSession&) = delete;
  NandSession& operator=(const NandSession&) = delete;

  void SetDevice(const SelectedDevice& device);
  SelectedDevice Device() const;
  NandFlashState Flash() const;
  NandFiles Files() const;
  void SetFiles(const NandFiles& files);
  // The files the Download button loaded; the next worker gets them, and
  // they stay until the next press replaces them.
  void SetDownload(std::shared_ptr<const NandDownload> download);
  // The boxes of the window's own thread (a button's question or refusal).
  Prompt& Boxes() { return prompt_; }

  // Turns off what busy says through view and starts worker on its own
  // thread with a copy of the flash state. False, with nothing changed but
  // the operator told, while another operation holds the link.
  bool Start(NandWorker worker, NandBusy busy, std::shared_ptr<NandWindowView> view);

  // The window is closing: a worker still going is abandoned (it shows,
  // logs, keeps and sends nothing more), its view detached and the link
  // closed, which ends an exchange it waits in. Never waits for the worker.
  void Abandon();
  bool IsRunning() const { return runner_.IsRunning(); }
  // The code the last worker ended with; nothing while one runs or before
  // any has ended.
  std::optional<LinkResult> LastOutcome() const;
  // Not from the window's thread while a worker that was not abandoned may
  // be waiting on the window.
  void WaitForWorker();

  void KeepFlashState(const RunControl& control, const NandFlashState& state) override;

 private:
  WriterLink& link_;
  Prompt& prompt_;
  BusyState& busy_;

  mutable std::mutex mutex_;
  SelectedDevice device_;
  NandFlashState flash_;
  NandFiles files_;
  std::shared_ptr<const NandDownload> download_;
  std::optional<LinkResult> lastOutcome_;
  OperationRunner<NandWindowView> runner_{link_, mutex_};
};

}  // namespace vantrell
