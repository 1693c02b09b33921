#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

class wxWindow;

namespace testing_support {

// Stands in for the real dialogs while it lives: records every call and answers questions from a
// script; an unscripted question fails the test and is answered "" (a cancelled box).
class ScriptedDialogs final : public platform::DialogBackend {
 public:
  struct Call {
    enum class Kind { Beep, Message, DetailedMessage, Question } kind;
    std::string text;   // message text (the headline of a detailed one) or question prompt
    std::string title;
    std::string default_text;
    platform::MessageIcon icon = platform::MessageIcon::None;
    // The window the real dialog would have been parented to (compare right away: it may close).
    wxWindow* parent = nullptr;
    std::string details;  // the scrolling part of a detailed message
  };

  ScriptedDialogs();
  ~ScriptedDialogs() override;

  // The next question is answered with text.
  void Answer(const std::string& text);
  bool AllAnswersUsed() const { return answers_.empty(); }

  const std::vector<Call>& calls() const { return calls_; }
  // "beep", "message: TEXT", "detailed message: HEADLINE", "question: PROMPT|TITLE|DEFAULT".
  std::vector<std::string> Log() const;
  // The text of every message, the headline of a detailed one.
  std::vector<std::string> Messages() const;
  int busy_depth() const { return busy_depth_; }
  void Clear() { calls_.clear(); }

  void Beep() override;
  void ShowMessage(const std::string& text, const std::string& title, platform::MessageIcon icon) override;
  void ShowDetailedMessage(const std::string& headline, const std::string& details,
                           const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& default_text) override;
  void SetBusy(bool busy) override;

 private:
  std::vector<Call> calls_;
  std::deque<std::string> answers_;
  int busy_depth_ = 0;
  platform::ScopedDialogBackend installed_;
};

}  // namespace testing_support
