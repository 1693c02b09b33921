#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include "platform/dialog_parent.h"

namespace testing_support {

ScriptedDialogs::ScriptedDialogs() : installed_(*this) {}

ScriptedDialogs::~ScriptedDialogs() {
  EXPECT_EQ(busy_depth_, 0) << "the hourglass was left on";
}

void ScriptedDialogs::Answer(const std::string& text) { answers_.push_back(text); }

std::vector<std::string> ScriptedDialogs::Log() const {
  static const char* const kPrefix[] = {"beep", "message: ", "detailed message: ", "question: "};
  std::vector<std::string> out;
  for (const Call& call : calls_)  // a beep has no text
    out.push_back(kPrefix[static_cast<int>(call.kind)] + call.text +
                  (call.kind == Call::Kind::Question ? "|" + call.title + "|" + call.default_text : ""));
  return out;
}

std::vector<std::string> ScriptedDialogs::Messages() const {
  std::vector<std::string> out;
  for (const Call& call : calls_)
    if (call.kind == Call::Kind::Message || call.kind == Call::Kind::DetailedMessage) out.push_back(call.text);
  return out;
}

void ScriptedDialogs::Beep() { calls_.push_back({Call::Kind::Beep, "", "", "", {}, platform::DialogParent(), {}}); }

void ScriptedDialogs::ShowMessage(const std::string& text, const std::string& title, platform::MessageIcon icon) {
  calls_.push_back({Call::Kind::Message, text, title, "", icon, platform::DialogParent(), {}});
}

void ScriptedDialogs::ShowDetailedMessage(const std::string& headline, const std::string& details,
                                          const std::string& title) {
  calls_.push_back({Call::Kind::DetailedMessage, headline, title, "", {}, platform::DialogParent(), details});
}

std::string ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) {
  calls_.push_back({Call::Kind::Question, prompt, title, default_text, {}, platform::DialogParent(), {}});
  if (answers_.empty()) {
    ADD_FAILURE() << "unscripted question: " << prompt;
    return {};
  }
  std::string answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedDialogs::SetBusy(bool busy) { busy_depth_ += busy ? 1 : -1; }

}  // namespace testing_support
