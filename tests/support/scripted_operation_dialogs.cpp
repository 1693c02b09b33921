#include "support/scripted_operation_dialogs.h"

#include <gtest/gtest.h>

namespace testing_support {

class ScriptedOperationDialogs::Progress final : public platform::ProgressReport {
 public:
  explicit Progress(ScriptedOperationDialogs& owner) : owner_(owner) {}
  bool Update(int percent, const std::string&) override {
    EXPECT_TRUE(percent >= 0 && percent <= 100) << percent;
    ++owner_.updates_;
    return owner_.updates_ != owner_.cancel_at_update_;
  }

 private:
  ScriptedOperationDialogs& owner_;
};

ScriptedOperationDialogs::ScriptedOperationDialogs() : installed_(*this) {}

platform::ReplaceAnswer ScriptedOperationDialogs::AskReplace(const std::string& text, const std::string&) {
  questions_.push_back(text);
  if (answers_.empty()) {
    ADD_FAILURE() << "unscripted replace question: " << text;
    return platform::ReplaceAnswer::Cancel;
  }
  const platform::ReplaceAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::unique_ptr<platform::ProgressReport> ScriptedOperationDialogs::StartProgress(const std::string& title) {
  progress_titles_.push_back(title);
  return std::make_unique<Progress>(*this);
}

}  // namespace testing_support
