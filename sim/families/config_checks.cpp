#include "families/config_checks.h"

#include <stdexcept>

namespace orbsim::config {

void Refuse(std::string_view section, const std::string& where, const std::string& why) {
  throw std::invalid_argument(std::string(section) + ": " + where + ": " + why);
}

void CheckKeys(std::string_view section, const nlohmann::json& j, const std::string& where,
               std::initializer_list<const char*> known) {
  if (!j.is_object()) Refuse(section, where, "must be an object");
  for (const auto& item : j.items()) {
    bool ok = false;
    for (const char* k : known) ok = ok || item.key() == k;
    if (!ok) Refuse(section, where, "unknown key \"" + item.key() + "\"");
  }
}

std::uint64_t Unsigned(std::string_view section, const nlohmann::json& j, const char* key, std::uint64_t max,
                       const std::string& where) {
  const nlohmann::json& v = j.at(key);
  if (!v.is_number_unsigned() || v.get<std::uint64_t>() > max)
    Refuse(section, where, std::string("\"") + key + "\" must be a whole number from 0 to " + std::to_string(max));
  return v.get<std::uint64_t>();
}

}  // namespace orbsim::config
