#pragma once
// What every soak run checks of its log and of the link fault drawn for it.
#include <cstdint>
#include <string>

#include "soak/soak_case.h"

namespace vantrell::soak {

bool ValidCp949(const std::string& bytes);
bool EndsWith(const std::string& text, const std::string& end);

// Whether the link fault was reached by the exchanges made so far and loses
// a reply the run needs: nothing sent, nothing back, or fewer bytes back
// than the shortest reply the run can take (shortestReply).
bool LostAReply(const std::optional<LinkFaultPlan>& fault, std::uint64_t exchangesMade, std::uint32_t shortestReply);

}  // namespace vantrell::soak
