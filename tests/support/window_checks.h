#pragma once

#include <wx/listbox.h>

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "support/gui_helpers.h"

namespace testing_support {

inline std::vector<std::string> ListItems(const wxListBox& list) {
  std::vector<std::string> items;
  for (const wxString& s : list.GetStrings()) items.push_back(s.utf8_string());
  return items;
}

// Clicks button twice, each click expected to show a message box of owner's that takes the
// keyboard: one parented elsewhere raised that window over owner and the key was lost.
inline void ExpectEachClickAMessageOwnedBy(const wxWindow& button, const wxWindow& owner,
                                           ModalDialogs& answers) {
  FocusReachesTopLevel(&owner);  // a window manager may still be mapping it
  for (std::size_t click = 1; click <= 2; ++click) {
    ClickOn(button, wxMOUSE_BTN_LEFT, [&] { return answers.parents.size() == click; });
    ASSERT_EQ(answers.parents.size(), click) << "the click was lost";
    EXPECT_EQ(answers.parents.back(), &owner);
    EXPECT_EQ(answers.unanswered, 0) << "the message box did not have the keyboard";
    EXPECT_TRUE(FocusReachesTopLevel(&owner)) << "the focus did not come back";
  }
}

}  // namespace testing_support
