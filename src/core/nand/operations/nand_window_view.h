#pragma once
// The NAND Flash Management window as its workers see it. Calls come from
// the worker thread and are carried to the window's thread: the status text,
// the progress bar's position and the controls coming back at the end may
// show a moment later (only the newest value of each counts), every other
// call is waited for. The two Disable calls are made on the window's own
// thread when a worker starts. A run holds its view through a shared pointer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/operation/operation_account.h"
#include "core/operation/progress_bar_view.h"
#include "core/operation/view_slot.h"

namespace vantrell {

// The five information texts, static texts 1060 to 1064.
enum class NandInfoField { DeviceName, TotalBlockCount, BlockSize, BadBlockCount, FatStartBlock };

// The edits a worker reads when it reaches the step that needs them: the
// start blocks of File1 to File3 (1074 to 1076), the FAT start block (1080),
// the erase range (1082, 1084) and the block read (1088, 1089).
enum class NandEdit { File1Start, File2Start, File3Start, FatStart, EraseFirst, EraseLast, ReadStart, ReadCount };

inline NandEdit StartBlockEdit(std::size_t file) {
  return static_cast<NandEdit>(static_cast<int>(NandEdit::File1Start) + static_cast<int>(file));
}

// The progress bar (1091) comes from ProgressBarView; the account of each
// operation is what the window does not show.
class NandWindowView : public ProgressBarView, public OperationAccount {
 public:
  virtual void SetInformationText(NandInfoField field, const std::string& text) = 0;
  // The FAT start block edit (1080).
  virtual void SetFatStartEditText(const std::string& text) = 0;
  // The status text (1090).
  virtual void SetStatusText(const std::string& text) = 0;
  // The edit's text as the operator left it.
  virtual std::string EditText(NandEdit edit) = 0;

  // Refresh, Download, Erase, Erase All and Read Block: the fourteen
  // operation controls off.
  virtual void DisableOperationControls() = 0;
  // Read Bad Block: its own button off.
  virtual void DisableReadBadBlock() = 0;
  // Every operation control on, Read Bad Block only when the flash has bad
  // blocks, the check box rule applied to all four check boxes.
  virtual void RestoreAll(bool hasBadBlocks) = 0;
  virtual void EnableRefresh() = 0;
  virtual void EnableReadBadBlock() = 0;

  // The Bad Block List window, modal; returns once the operator closed it.
  virtual void ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) = 0;
  // The Read NAND Flash view over the blocks read, modal; returns once closed.
  virtual void ShowReadBlocks(std::span<const std::uint8_t> blocks) = 0;
};

// What an abandoned run talks to: nothing is shown. A view that shows only
// some of it starts from here.
class NullNandWindowView : public NandWindowView {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void SetShowPercentage(bool) override {}
  void SetInformationText(NandInfoField, const std::string&) override {}
  void SetFatStartEditText(const std::string&) override {}
  void SetStatusText(const std::string&) override {}
  std::string EditText(NandEdit) override { return {}; }
  void DisableOperationControls() override {}
  void DisableReadBadBlock() override {}
  void RestoreAll(bool) override {}
  void EnableRefresh() override {}
  void EnableReadBadBlock() override {}
  void ShowBadBlockList(std::int32_t, std::span<const std::int32_t>) override {}
  void ShowReadBlocks(std::span<const std::uint8_t>) override {}
};

using NandViewSlot = ViewSlot<NandWindowView>;

inline std::shared_ptr<NandViewSlot> MakeNandViewSlot(std::shared_ptr<NandWindowView> view) {
  return std::make_shared<NandViewSlot>(std::move(view), std::make_shared<NullNandWindowView>());
}

}  // namespace vantrell
