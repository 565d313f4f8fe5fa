#include "core/nand/commands/report_nand_result.h"

#include "core/link/log_markers.h"
#include "core/nand/commands/nand_commands.h"
#include "core/operation/operation_channel.h"

namespace vantrell {
namespace {

void ReportCode(LinkResult code, NandCommands& commands) {
  OperationChannel& channel = commands.Channel();
  switch (code) {
    case LinkResult::WriteUsbError:
      channel.LogText("\t + WriteUSB Error!\r\n");
      return;
    case LinkResult::ReadUsbError:
      channel.LogText("\t + ReadUSB Error!\r\n");
      return;
    case LinkResult::CommError:
      channel.LogText("\t +  COMM Error!\r\n");
      // The writer is told to close its bracket; how that goes changes nothing.
      commands.NdflProgramEnd();
      return;
    case LinkResult::Finished:
      return;
    default:
      channel.LogText("\t +  Error!\r\n");
      return;
  }
}

}  // namespace

void ReportNandResult(LinkResult code, NandCommands& commands, const std::function<void()>& beforeExit) {
  ReportCode(code, commands);
  if (beforeExit) beforeExit();
  commands.Channel().LogText(kExitDownloadLine);
  commands.Channel().Close();
}

}  // namespace vantrell
