#pragma once
// Checks shared by the family sections of the simulator configuration. Each
// refusal names the section and the place in it, so a misspelt or
// out-of-range knob is reported, never silently ignored.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace orbsim::config {

// Throws std::invalid_argument "section: where: why".
[[noreturn]] void Refuse(std::string_view section, const std::string& where, const std::string& why);

// Every key of j must be one of known.
void CheckKeys(std::string_view section, const nlohmann::json& j, const std::string& where,
               std::initializer_list<const char*> known);

// j[key] as a whole number from 0 to max.
std::uint64_t Unsigned(std::string_view section, const nlohmann::json& j, const char* key, std::uint64_t max,
                       const std::string& where);

// j[key] as an array, each element turned by parse(element, where of element).
template <typename Parse>
auto ParseList(std::string_view section, const nlohmann::json& j, const char* key, const std::string& where,
               Parse parse) {
  const nlohmann::json& list = j.at(key);
  if (!list.is_array()) Refuse(section, where, std::string("\"") + key + "\" must be an array");
  std::vector<decltype(parse(list, where))> out;
  for (std::size_t i = 0; i < list.size(); ++i)
    out.push_back(parse(list[i], where + "." + key + "[" + std::to_string(i) + "]"));
  return out;
}

}  // namespace orbsim::config
