#include "core/common/prompt.h"

namespace vantrell {

PromptMessage ApplicationBox(std::string text) {
  return {kApplicationTitle, std::move(text), BoxButtons::Ok, BoxIcon::Warning};
}

PromptMessage WindowBox(std::string caption, std::string text) {
  return {std::move(caption), std::move(text), BoxButtons::Ok, BoxIcon::None};
}

PromptMessage Question(std::string caption, std::string text) {
  return {std::move(caption), std::move(text), BoxButtons::YesNo, BoxIcon::None};
}

}  // namespace vantrell
