#pragma once
// The system's own words for why a call failed, as UTF-8, for the messages
// that say what went wrong ("cannot put the new file in place of ...: ...").
#include <string>

namespace vantrell {

#if defined(_WIN32)
// The text Windows gives for a GetLastError code, without the line end it
// carries; "error N" when it has none.
std::string SystemErrorText(unsigned long code);
#endif

}  // namespace vantrell
