#pragma once
// The JSON Lines events as the README documents them: the fields every kind
// must carry and their types. The end-to-end tests check every event they
// read with it, and the README's own examples must pass it too.
#include <string>

#include <nlohmann/json.hpp>

namespace vantrell::cli::test {

// Empty when the event is one the README describes, else what is wrong.
std::string SchemaProblem(const nlohmann::json& event);

}  // namespace vantrell::cli::test
