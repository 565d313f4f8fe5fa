#pragma once
// The texts that bracket every command and phase in the log. One place
// builds them for every command family, so a family can't drift.
#include <string>
#include <string_view>

namespace vantrell {

enum class CommandFamily {
  Writer,  // the writer's own commands: END is preceded by a line break
  Chip,
  Nand,
};

std::string StartMarker(std::string_view name);
std::string EndMarker(CommandFamily family, std::string_view name);
// The two NAND bracket commands end without "> Process".
std::string EndMarkerWithoutProcess(std::string_view name);

// What every end-of-operation routine of the chip and NAND families logs
// once it has reported the operation's result.
inline constexpr const char* kExitDownloadLine = "\t ->  Exit Download!\r\n";

inline constexpr const char* kTxLabel = ">> TX :";
inline constexpr const char* kRxLabel = "<< RX :";

}  // namespace vantrell
