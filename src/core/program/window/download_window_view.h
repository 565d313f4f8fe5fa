#pragma once
// The download window as the programming workers see it: what it shows and
// the one thing they read back (the CheckSum box). Every call comes from the
// worker thread, except DisableRunButtons, which the start of a run makes on
// the window's own thread; the GUI side carries calls to its thread and waits
// for them, like a window message sent from another thread — all but the
// byte counts of every packet, which are handed over without waiting (see
// SetByteProgress). A run holds its
// view through a shared pointer; the last reference may be let go on the
// worker thread when the run ends.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/operation/result_counters.h"
#include "core/operation/byte_count.h"
#include "core/operation/operation_account.h"

namespace vantrell {

// Also the account of the run, which the window itself does not show.
class DownloadWindowView : public OperationAccount {
 public:

  // Pack status line of a socket (static texts 1015 to 1021) and its text
  // colour, 0x00BBGGRR.
  virtual void SetPackLine(std::size_t socket, const std::string& text) = 0;
  virtual void SetPackColour(std::size_t socket, std::uint32_t colour) = 0;

  // Total Progress bar (1008).
  virtual void SetTotalProgressRange(int low, int high) = 0;
  virtual void SetTotalProgressPosition(int position) = 0;
  virtual void SetTotalProgressShowPercentage(bool show) = 0;

  // Progress text of the running stage (static 1022).
  virtual void SetProgressText(const std::string& text) = 0;
  // The same text for the bytes a Program or Verify stage has sent, at every
  // packet. Shown when the window gets to it, without the worker waiting:
  // counts that come faster may be skipped, the last one is always shown,
  // and the order against the other calls is kept.
  virtual void SetByteProgress(const ByteCount& count) = 0;
  // Progress cell (column 3) of a download list row, 0 to 100.
  virtual void UpdateFileProgress(std::size_t row, int percent) = 0;

  // Counter displays 1036, 1037 and 1038, each shown with "%d".
  virtual void ShowCounters(const ResultCounters& counters) = 0;
  // The CheckSum box (1096).
  virtual bool IsCheckSumChecked() = 0;

  // Auto, Remove Files, Remove All, Blank Check, Program, Verify and Erase All
  // off while a run goes.
  virtual void DisableRunButtons() = 0;
  // Auto, Remove Files, Remove All, Program and Verify on when the list has
  // files; Erase All and Blank Check on always.
  virtual void RestoreButtons() = 0;
};

// What an abandoned run talks to: nothing is shown, the CheckSum box reads
// unchecked. A view that shows only some of it starts from here.
class NullDownloadWindowView : public DownloadWindowView {
 public:
  void SetPackLine(std::size_t, const std::string&) override {}
  void SetPackColour(std::size_t, std::uint32_t) override {}
  void SetTotalProgressRange(int, int) override {}
  void SetTotalProgressPosition(int) override {}
  void SetTotalProgressShowPercentage(bool) override {}
  void SetProgressText(const std::string&) override {}
  void SetByteProgress(const ByteCount&) override {}
  void UpdateFileProgress(std::size_t, int) override {}
  void ShowCounters(const ResultCounters&) override {}
  bool IsCheckSumChecked() override { return false; }
  void DisableRunButtons() override {}
  void RestoreButtons() override {}
};

}  // namespace vantrell
