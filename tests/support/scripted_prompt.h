#pragma once
// A Prompt that records every box and answers from a script.
#include <deque>
#include <mutex>
#include <vector>

#include "core/common/prompt.h"

namespace vantrell::test {

class ScriptedPrompt : public Prompt {
 public:
  // Answers given in order; when the script runs out, OK boxes get Ok and
  // questions get Yes.
  std::deque<BoxAnswer> answers;

  BoxAnswer Show(const PromptMessage& message) override {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back(message);
    if (!answers.empty()) {
      BoxAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return message.buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
  }

  std::vector<PromptMessage> Shown() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
  }
  std::vector<std::string> Texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& m : shown_) texts.push_back(m.text);
    return texts;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<PromptMessage> shown_;
};

}  // namespace vantrell::test
