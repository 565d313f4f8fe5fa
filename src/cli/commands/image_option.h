#pragma once
// The --image option of the commands that work with a device image.
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

namespace vantrell::cli {

class ImageOption {
 public:
  // required: the command has no sensible default image.
  void Declare(CLI::App& command, bool required) {
    option_ = command.add_option("--image", name_,
                                 required ? "device image in the Device folder, with or without .bin"
                                          : "device image in the Device folder, with or without .bin "
                                            "(default: the one the windows selected last)");
    option_->type_name("NAME");
    if (required) option_->required();
  }
  // Nothing when the option was not given.
  std::optional<std::string> Name() const {
    return option_ != nullptr && option_->count() > 0 ? std::optional<std::string>(name_) : std::nullopt;
  }

 private:
  std::string name_;
  CLI::Option* option_ = nullptr;
};

}  // namespace vantrell::cli
