// Our own properties window, shown when no file manager answers on the session bus.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "platform/properties.h"
#include "support/gui_helpers.h"
#include "support/temp_folder.h"

namespace platform::properties {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using testing_support::WaitFor;

struct PropertiesWindowTest : ::testing::Test {
  // No file manager on an unreachable bus: our own window shows.
  void SetUp() override { ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/faldone-test-bus", 1); }
  void TearDown() override { if (wxDialog* shown = Shown()) testing_support::DestroyNow(shown); }

  static wxDialog& ShowFor(const std::string& path) {
    ShowItemProperties(path);
    EXPECT_TRUE(WaitFor([] { return Shown() != nullptr; }));
    return *Shown();
  }
  static wxDialog* Shown() {
    for (wxWindow* top : wxTopLevelWindows)
      if (auto* dialog = dynamic_cast<wxDialog*>(top);
          dialog && dialog->GetTitle().StartsWith(wxString::FromUTF8("Proprietà di")) &&
          !dialog->IsBeingDeleted())
        return dialog;
    return nullptr;
  }
  // Beside the label "Dimensione".
  static std::string SizeText(wxDialog& dialog) {
    const wxWindow* label = wxWindow::FindWindowByLabel("Dimensione", &dialog);
    const auto* text = label ? dynamic_cast<const wxStaticText*>(label->GetNextSibling()) : nullptr;
    return text ? text->GetLabelText().utf8_string() : "";
  }
  static wxButton* Annulla(wxDialog& dialog) {
    return wxDynamicCast(wxWindow::FindWindowByLabel("Annulla", &dialog), wxButton);
  }
};

TEST_F(PropertiesWindowTest, AFolderShowsTheTotalOfEverythingInsideOnceCounted) {
  testing_support::TempFolder folder;
  folder.Write("Dati/a.bin", std::string(1234567, 'a'));
  folder.Write("Dati/Sotto/b.bin", std::string(10, 'b'));
  wxDialog& dialog = ShowFor(folder.path() + "Dati/");
  EXPECT_EQ(dialog.GetTitle().utf8_string(), "Proprietà di Dati");
  ASSERT_TRUE(WaitFor([&] { return SizeText(dialog) == "1.234.577 byte in 3 elementi"; }))
      << SizeText(dialog);
  ASSERT_NE(Annulla(dialog), nullptr);
  EXPECT_FALSE(Annulla(dialog)->IsEnabled());  // nothing left to stop
}

// Counting "/" on the window's thread froze every window for seconds, with no way to stop it.
TEST_F(PropertiesWindowTest, CountingALargeFolderKeepsTheWindowsAnsweringAndAnnullaStopsIt) {
  Clock::time_point last = Clock::now();
  const Clock::time_point start = last;
  milliseconds worst{0};
  const auto look = [&] {  // keeps the event loop's longest wait between two looks
    worst = std::max(worst, std::chrono::duration_cast<milliseconds>(Clock::now() - last));
    last = Clock::now();
    return last - start;
  };
  wxDialog& dialog = ShowFor("/");
  ASSERT_TRUE(WaitFor([&] { return look() > milliseconds(300); }));
  ASSERT_NE(SizeText(dialog).find("calcolo in corso"), std::string::npos) << SizeText(dialog);
  ASSERT_NE(Annulla(dialog), nullptr);
  ASSERT_TRUE(testing_support::ClickOn(*Annulla(dialog), wxMOUSE_BTN_LEFT, [&] {
    return look() > milliseconds(0) && SizeText(dialog).find("calcolo interrotto") != std::string::npos;
  })) << SizeText(dialog);
  const std::string stopped_at = SizeText(dialog);
  const auto stopped = look();
  ASSERT_TRUE(WaitFor([&] { return look() > stopped + milliseconds(300); }));
  EXPECT_EQ(SizeText(dialog), stopped_at);
  EXPECT_LT(worst, milliseconds(500));
}

}  // namespace
}  // namespace platform::properties
