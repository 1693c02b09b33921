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

// Clicks button twice through the toolkit, each click expected to show a real message box that
// belongs to owner and takes the keyboard. A box parented elsewhere once made the toolkit raise
// that other window over owner: the key never reached the box and later clicks were lost.
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
