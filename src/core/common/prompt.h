#pragma once
// Message boxes and questions, as the working logic asks them. The GUI shows
// them as real message boxes (on its own thread, whoever asks); tests answer
// them from a script and record what was asked.
#include <functional>
#include <string>

namespace vantrell {

inline constexpr const char* kApplicationTitle = "Vantrell";

enum class BoxButtons { Ok, YesNo, OkCancel };
enum class BoxIcon { None, Warning, Information, Error, Question };
enum class BoxAnswer { Ok, Yes, No, Cancel };

struct PromptMessage {
  std::string caption;
  std::string text;  // UTF-8
  BoxButtons buttons = BoxButtons::Ok;
  BoxIcon icon = BoxIcon::None;

  bool operator==(const PromptMessage&) const = default;
};

// Application box: the application's title as caption, OK, warning icon.
PromptMessage ApplicationBox(std::string text);
// Window box: an explicit caption, OK, no icon.
PromptMessage WindowBox(std::string caption, std::string text);
// Question: an explicit caption, Yes and No, no icon.
PromptMessage Question(std::string caption, std::string text);

class Prompt {
 public:
  virtual ~Prompt() = default;
  // Shows the box and waits for the operator's answer.
  virtual BoxAnswer Show(const PromptMessage& message) = 0;

  // Shows the box unless dropped() holds, asked again just before the box
  // appears: a worker abandoned while its box was on its way to the screen
  // shows nothing. A dropped box answers No.
  virtual BoxAnswer ShowUnless(const PromptMessage& message, const std::function<bool()>& dropped) {
    return dropped() ? BoxAnswer::No : Show(message);
  }

  void Tell(const PromptMessage& message) { Show(message); }
  // Every answer other than No counts as Yes.
  bool Agrees(const PromptMessage& question) { return Show(question) != BoxAnswer::No; }
};

}  // namespace vantrell
