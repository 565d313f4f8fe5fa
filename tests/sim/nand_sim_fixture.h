#pragma once
// The NAND session over the simulated NAND board, its workers started as
// the NAND window starts them, with a recording window and scripted boxes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/common/busy_state.h"
#include "core/link/writer_link.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_workers.h"
#include "support/log_capture.h"
#include "support/recording_nand_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"

namespace vantrell::test {

class NandWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override { UseBoard(spec); }

  void UseBoard(const NandDeviceSpec& board) {
    spec = board;
    sim.SetFirmware(MakeNandImage(board));
  }
  void Run(NandWorker worker, NandBusy busy = NandBusy::OperationControls) {
    ASSERT_TRUE(session.Start(worker, busy, view));
    session.WaitForWorker();
  }
  // A start through one of the window's buttons, waited out.
  template <typename Start>
  bool Press(Start start) {
    const bool started = start();
    session.WaitForWorker();
    return started;
  }
  // The log from here on.
  std::string LogFromHere() { return capture.Bytes().substr(logMark_); }
  void MarkLog() { logMark_ = capture.Bytes().size(); }
  std::uint64_t Exchanges() const { return sim.Status()["exchanges"]; }

  SimHarness sim;
  LogCapture capture;
  WriterLink link{sim.Driver(), capture.log};
  ScriptedPrompt prompt;
  BusyState busy;
  NandSession session{link, prompt, busy};
  std::shared_ptr<RecordingNandView> view = std::make_shared<RecordingNandView>();
  NandDeviceSpec spec;

 private:
  std::size_t logMark_ = 0;
};

}  // namespace vantrell::test
