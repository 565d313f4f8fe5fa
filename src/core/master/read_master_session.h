#pragma once
// What the main window keeps for reading the MASTER chip: the link, the
// message boxes and the one busy state it shares with every other operation,
// and the worker thread of the read. The Read Master window starts reads here
// and abandons them here when it closes.
//
// Threads: every method is meant for the window's thread.
#include <memory>
#include <mutex>
#include <optional>

#include "core/master/master_read_run.h"
#include "core/master/read_master_view.h"
#include "core/operation/operation_runner.h"

namespace vantrell {

class BusyState;
class MessageLog;
class Prompt;
class WriterLink;

class ReadMasterSession {
 public:
  // The session must be destroyed before the link, prompt and busy state.
  ReadMasterSession(WriterLink& link, Prompt& prompt, BusyState& busy);
  // Abandons a read still going and waits for its worker to let go.
  ~ReadMasterSession();
  ReadMasterSession(const ReadMasterSession&) = delete;
  ReadMasterSession& operator=(const ReadMasterSession&) = delete;

  // Takes the link and starts the worker reading request.length bytes (at
  // least 1) with view. Returns the buffer the worker fills: it may be looked
  // at once view has been shown the finished read. Null, after telling the
  // operator, while another operation holds the link; nothing else changes.
  std::shared_ptr<const MasterBytes> StartRead(const MasterReadRequest& request, std::shared_ptr<ReadMasterView> view);

  // The window is closing: a read still going is abandoned (it shows, logs
  // and sends nothing more), its view detached and the link closed, which
  // also ends an exchange the worker waits in. Without a read going nothing
  // happens: the link may be another operation's. Never waits for the worker.
  void Abandon();

  bool IsRunning() const { return runner_.IsRunning(); }
  // The code the last read ended with (Finished when its buffer holds the
  // range); nothing before a read has ended.
  std::optional<LinkResult> LastOutcome() const;
  // Not from the window's thread while a read that has not been abandoned may
  // still be waiting on the window.
  void WaitForWorker();

  // The message log, for what the window logs itself.
  MessageLog& Log();

 private:
  WriterLink& link_;
  Prompt& prompt_;
  BusyState& busy_;

  mutable std::mutex mutex_;
  std::optional<LinkResult> lastOutcome_;
  OperationRunner<ReadMasterView> runner_{link_, mutex_};
};

}  // namespace vantrell
