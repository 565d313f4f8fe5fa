#pragma once
// How a NAND operation's final code reaches the log. Nothing is shown: the
// NAND window's end-of-operation routine adds its boxes around this.
#include <functional>

#include "core/link/link_result.h"

namespace vantrell {

class NandCommands;

// Logs the code's line ("\t + WriteUSB Error!", "\t + ReadUSB Error!",
// "\t +  COMM Error!" followed by NdflProgramEnd, whose result is ignored,
// nothing for Finished, "\t +  Error!" for anything else), runs beforeExit,
// logs "\t ->  Exit Download!" and closes the link.
void ReportNandResult(LinkResult code, NandCommands& commands, const std::function<void()>& beforeExit = {});

}  // namespace vantrell
