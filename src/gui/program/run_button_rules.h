#pragma once
// Which of the download window's run buttons are on, situation by situation.
// Load Files, Auto Option Set, Reset, Read Master and the CheckSum box are
// never turned off and are not kept here.
namespace vantrell::gui {

struct RunButtonStates {
  bool autoRun = false;      // 1013 Auto
  bool removeFiles = false;  // 1012 Remove Files
  bool removeAll = false;    // 1028 Remove All
  bool blankCheck = false;   // 1029 Blank Check
  bool program = false;      // 1030 Program
  bool verify = false;       // 1031 Verify
  bool eraseAll = false;     // 1032 Erase All

  bool operator==(const RunButtonStates&) const = default;
};

class RunButtonRules {
 public:
  // The window was shown: only Blank Check and Erase All are on.
  RunButtonRules();

  const RunButtonStates& States() const { return states_; }
  bool Running() const { return running_; }

  // Files were added or removed. While a run goes, the buttons stay off
  // until it ends, so no second run can be asked for.
  void ListChanged(bool hasFiles);
  // A run or Erase All started: every run button is off.
  void RunStarted();
  // A run ended: Blank Check and Erase All on, the file buttons on when the
  // list has files.
  void RunEnded(bool hasFiles);

 private:
  void SetFileButtons(bool on);

  RunButtonStates states_;
  bool running_ = false;
};

}  // namespace vantrell::gui
