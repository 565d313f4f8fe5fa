#include "core/program/chip/chip_ending.h"

#include "core/program/chip/chip_context.h"

namespace vantrell {

void ReportChipEnding(LinkResult code, ChipContext& chip) {
  switch (code) {
    case LinkResult::WriteUsbError:
      chip.prompt.Tell("WriteUSB Error!");
      chip.channel.LogText("\t + WriteUSB Error!\r\n");
      return;
    case LinkResult::ReadUsbError:
      chip.prompt.Tell("ReadUSB Error!");
      chip.channel.LogText("\t + ReadUSB Error!\r\n");
      return;
    case LinkResult::CommError: {
      chip.channel.LogText("\t +  COMM Error!\r\n");
      // The writer is told to end its work with the chips; how that goes
      // changes nothing more.
      ChipStatus ignored{};
      chip.commands.CommEnd(ignored);
      return;
    }
    case LinkResult::Finished:
      return;
    default:
      chip.channel.LogText("\t +  Error!\r\n");
      return;
  }
}

}  // namespace vantrell
