#pragma once
// What every operation shows and logs when the writer link will not open.
#include <string>

#include "core/common/prompt.h"

namespace vantrell {

inline constexpr const char* kLinkOpenFailureText = "Orbelle USB Driver can't be Open!";

// The application box the operations show unless their window has its own.
inline PromptMessage LinkOpenFailureBox() { return ApplicationBox(kLinkOpenFailureText); }

// The box, then the log line. Boxes is a Prompt or a run's RunPrompt, Log a
// MessageLog or a run's OperationChannel.
template <typename Boxes, typename Log>
void ReportLinkOpenFailure(Boxes& boxes, Log& log, const PromptMessage& box = LinkOpenFailureBox()) {
  boxes.Show(box);
  log.LogText(std::string(kLinkOpenFailureText) + "\r\n");
}

}  // namespace vantrell
