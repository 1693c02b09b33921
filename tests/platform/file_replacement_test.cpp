// A profile save meets a file that an antivirus or the indexer holds for a moment, or a
// replacement that stops halfway: the old file or the new text must always survive.

#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "platform/user_error.h"

namespace {

using platform::files::SystemError;

struct Case {
  const char* name;
  bool replacing;
  std::vector<SystemError> replace_results;  // one per attempt; success once they run out
  bool unable_to_move_drops_old;             // what a 1176 does without a backup name
  std::vector<SystemError> move_results;
  const char* files_after;  // "name=text" in name order
  const char* message;      // nullptr: no error
  int pauses;
};

// A folder holding the target P (text "old") and the new text in T, where each call fails as
// the case says and leaves the files as Windows documents for that code.
class Replacement : public testing::TestWithParam<Case> {
 protected:
  std::string Run() {
    const Case& c = GetParam();
    std::map<std::string, std::string> files{{"T", "new"}};
    if (c.replacing) files["P"] = "old";
    std::deque<SystemError> replace(c.replace_results.begin(), c.replace_results.end());
    std::deque<SystemError> move(c.move_results.begin(), c.move_results.end());
    auto next = [](std::deque<SystemError>& results) {
      const SystemError error = results.empty() ? 0 : results.front();
      if (!results.empty()) results.pop_front();
      return error;
    };
    platform::files::ReplacementCalls calls;
    calls.replace = [&] {
      const SystemError error = next(replace);
      if (error == 0 || error == 1177) files["B"] = files["P"];
      if (error == 0) files["P"] = files["T"], files.erase("T");
      if (error == 1177 || (error == 1176 && c.unable_to_move_drops_old)) files.erase("P");
      return error;
    };
    calls.move_to_target = [&](const std::string& from, bool over) -> SystemError {
      if (!files.contains(from)) return 2;
      if (!over && files.contains("P")) return 183;
      const SystemError error = next(move);
      if (error == 0) files["P"] = files[from], files.erase(from);
      return error;
    };
    calls.remove = [&](const std::string& name) { files.erase(name); };
    calls.pause = [&] { ++pauses_; };
    calls.describe = [](SystemError error) { return "errore " + std::to_string(error); };
    std::string message;
    try {
      platform::files::PlaceReplacement("P", "T", "B", c.replacing, calls);
    } catch (const platform::UserError& error) {
      message = error.what();
    }
    for (const auto& [name, text] : files) listing_ += (listing_.empty() ? "" : " ") + name + "=" + text;
    return message;
  }
  std::string listing_;
  int pauses_ = 0;
};

TEST_P(Replacement, EndsWithTheNewTextOrTheOldFileInPlaceAndSaysWhere) {
  const Case& c = GetParam();
  const std::string message = Run();
  EXPECT_EQ(listing_, c.files_after);
  EXPECT_EQ(message, c.message ? "Impossibile scrivere il file P\r\n\r\n" + std::string(c.message) : "");
  EXPECT_EQ(pauses_, c.pauses);
}

const std::vector<SystemError> kLockedForGood(11, 32);

INSTANTIATE_TEST_SUITE_P(
    EachErrorCode, Replacement,
    testing::Values(
        Case{"LockThatPasses", true, {32, 33, 5, 1175}, false, {}, "P=new", nullptr, 4},
        Case{"LockThatStays", true, kLockedForGood, false, {}, "P=old", "errore 32", 10},
        Case{"RefusalForGood", true, {87}, false, {}, "P=old", "errore 87", 0},
        Case{"OldFileVanished", true, {2}, false, {}, "P=new", nullptr, 0},
        Case{"NewFile", false, {}, false, {32, 0}, "P=new", nullptr, 1},
        Case{"NewFileRefused", false, {}, false, {87}, "", "errore 87", 0},
        Case{"OldGoneNewMoved", true, {1176}, true, {}, "P=new", nullptr, 0},
        Case{"OldGoneNewKept", true, {1176}, true, {87}, "T=new", "errore 87\r\n\r\nIl nuovo testo è nel file T.", 0},
        Case{"NothingMovedNewKept", true, {1176}, false, {87}, "P=old T=new",
             "errore 87\r\n\r\nIl nuovo testo è nel file T.", 0},
        Case{"OldAsideNewMoved", true, {1177}, false, {5, 0}, "P=new", nullptr, 1},
        Case{"OldAsidePutBack", true, {1177}, false, {87, 0}, "P=old T=new",
             "errore 87\r\n\r\nIl file è rimasto com'era; il nuovo testo è nel file T.", 0},
        Case{"OldAsideStuck", true, {1177}, false, {87, 5}, "B=old T=new",
             "errore 87\r\n\r\nIl nuovo testo è nel file T; il file precedente è ora B.", 0}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
