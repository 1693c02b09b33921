#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/operation_dialogs.h"

namespace testing_support {

// Stands in for the replace question (answered from a script; an unscripted one fails and
// cancels) and the progress window, which can be made to cancel.
class ScriptedOperationDialogs final : public platform::OperationDialogBackend {
 public:
  ScriptedOperationDialogs();

  void AnswerReplace(platform::ReplaceAnswer answer) { answers_.push_back(answer); }
  // The progress update number n (counting from 1, over all operations) reports a cancel.
  void CancelAtUpdate(int n) { cancel_at_update_ = n; }

  const std::vector<std::string>& replace_questions() const { return questions_; }
  const std::vector<std::string>& progress_titles() const { return progress_titles_; }

  platform::ReplaceAnswer AskReplace(const std::string& text, const std::string& title) override;
  std::unique_ptr<platform::ProgressReport> StartProgress(const std::string& title) override;

 private:
  class Progress;

  std::deque<platform::ReplaceAnswer> answers_;
  std::vector<std::string> questions_;
  std::vector<std::string> progress_titles_;
  int updates_ = 0;
  int cancel_at_update_ = 0;
  platform::ScopedOperationDialogBackend installed_;
};

}  // namespace testing_support
