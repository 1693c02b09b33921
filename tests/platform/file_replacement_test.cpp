// A file held for a moment, or a replacement stopping halfway: the old file or the new text survives.

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
  std::deque<SystemError> replace_results, move_results;  // one per call; success once they run out
  const char* files_after;                                // "name=text" in name order
  const char* message;                                    // after the reason; nullptr: no error
  int pauses;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class Replacement : public testing::TestWithParam<Case> {};

// P holds "old", T the new text; each call fails as the case says, leaving the files as Windows does.
TEST_P(Replacement, EndsWithTheNewTextOrTheOldFileInPlaceAndSaysWhere) {
  Case c = GetParam();
  std::map<std::string, std::string> files{{"T", "new"}};
  if (c.replacing) files["P"] = "old";
  auto next = [](std::deque<SystemError>& results) {
    const SystemError error = results.empty() ? 0 : results.front();
    if (!results.empty()) results.pop_front();
    return error;
  };
  int pauses = 0;
  platform::files::ReplacementCalls calls;
  calls.replace = [&] {
    const SystemError error = next(c.replace_results);
    if (error == 0 || error == 1177) files["B"] = files["P"];
    if (error == 0) files["P"] = files["T"], files.erase("T");
    if (error == 1176 || error == 1177) files.erase("P");
    return error;
  };
  calls.move_to_target = [&](const std::string& from, bool over) -> SystemError {
    if (!files.contains(from)) return 2;
    if (!over && files.contains("P")) return 183;
    const SystemError error = next(c.move_results);
    if (error == 0) files["P"] = files[from], files.erase(from);
    return error;
  };
  calls.remove = [&](const std::string& name) { files.erase(name); };
  calls.pause = [&] { ++pauses; };
  calls.describe = [](SystemError error) { return "errore " + std::to_string(error); };
  std::string message;
  try {
    platform::files::PlaceReplacement("P", "T", "B", c.replacing, calls);
  } catch (const platform::UserError& error) {
    message = error.what();
  }
  std::string listing;
  for (const auto& [name, text] : files) listing += (listing.empty() ? "" : " ") + name + "=" + text;
  EXPECT_EQ(listing, c.files_after);
  EXPECT_EQ(message, c.message ? "Impossibile scrivere il file P\r\n\r\n" + std::string(c.message) : "");
  EXPECT_EQ(pauses, c.pauses);
}

INSTANTIATE_TEST_SUITE_P(
    EachErrorCode, Replacement,
    testing::Values(
        Case{"LockThatPasses", true, {32, 33, 5, 1175}, {}, "P=new", nullptr, 4},
        Case{"LockThatStays", true, std::deque<SystemError>(11, 32), {}, "P=old", "errore 32", 10},
        Case{"RefusalForGood", true, {87}, {}, "P=old", "errore 87", 0},
        Case{"OldFileVanished", true, {2}, {}, "P=new", nullptr, 0},
        Case{"NewFile", false, {}, {32, 0}, "P=new", nullptr, 1},
        Case{"NewFileRefused", false, {}, {87}, "", "errore 87", 0},
        Case{"OldGoneNewMoved", true, {1176}, {}, "P=new", nullptr, 0},
        Case{"OldGoneNewKept", true, {1176}, {87}, "T=new", "errore 87\r\n\r\nIl nuovo testo è nel file T.", 0},
        Case{"OldAsideNewMoved", true, {1177}, {5, 0}, "P=new", nullptr, 1},
        Case{"OldAsidePutBack", true, {1177}, {87, 0}, "P=old T=new",
             "errore 87\r\n\r\nIl file è rimasto com'era; il nuovo testo è nel file T.", 0},
        Case{"OldAsideStuck", true, {1177}, {87, 5}, "B=old T=new",
             "errore 87\r\n\r\nIl nuovo testo è nel file T; il file precedente è ora B.", 0}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
