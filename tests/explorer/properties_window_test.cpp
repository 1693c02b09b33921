// Our own properties window, shown when no file manager answers on the session bus.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "explorer/real_input.h"
#include "platform/properties.h"
#include "support/gui_helpers.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace platform::properties {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Ticks every 50 ms and keeps how late the worst tick came: a window that stops answering
// shows up as a late tick.
class LatenessProbe final : public wxTimer {
 public:
  static constexpr milliseconds kPeriod{50};
  LatenessProbe() { Start(static_cast<int>(kPeriod.count())); }
  void Notify() override {
    const Clock::time_point now = Clock::now();
    if (ticks_ > 0)
      worst_ = std::max(worst_, std::chrono::duration_cast<milliseconds>(now - last_ - kPeriod));
    last_ = now;
    ++ticks_;
  }
  int ticks() const { return ticks_; }
  milliseconds worst() const { return worst_; }

 private:
  Clock::time_point last_;
  int ticks_ = 0;
  milliseconds worst_{0};
};

class PropertiesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No file manager: the bus cannot be reached, so our own window shows.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/faldone-test-bus", 1);
  }
  void TearDown() override {
    if (wxDialog* shown = Shown()) testing_support::DestroyNow(shown);
  }

  static wxDialog* Shown() {
    for (wxWindow* top : wxTopLevelWindows)
      if (auto* dialog = dynamic_cast<wxDialog*>(top);
          dialog && dialog->GetTitle().StartsWith(wxString::FromUTF8("Proprietà di")) &&
          !dialog->IsBeingDeleted())
        return dialog;
    return nullptr;
  }
  // The text beside the label "Dimensione".
  static std::string SizeText(wxDialog& dialog) {
    bool next = false;
    for (wxWindow* child : dialog.GetChildren())
      if (auto* text = dynamic_cast<wxStaticText*>(child)) {
        if (next) return text->GetLabelText().utf8_string();
        next = text->GetLabelText() == "Dimensione";
      }
    return {};
  }
  static wxButton* ButtonLabelled(wxDialog& dialog, const char* label) {
    for (wxWindow* child : dialog.GetChildren())
      if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabel() == label)
        return button;
    return nullptr;
  }
};

TEST_F(PropertiesWindowTest, AFolderShowsTheTotalOfEverythingInsideOnceCounted) {
  testing_support::TempFolder folder;
  folder.Write("Dati/a.bin", std::string(1234567, 'a'));
  folder.Write("Dati/Sotto/b.bin", std::string(10, 'b'));
  ShowItemProperties(folder.path() + "Dati/");
  ASSERT_TRUE(testing_support::WaitFor([] { return Shown() != nullptr; }));
  wxDialog& dialog = *Shown();
  EXPECT_EQ(dialog.GetTitle().utf8_string(), "Proprietà di Dati");
  ASSERT_TRUE(testing_support::WaitFor(
      [&] { return SizeText(dialog) == "1.234.577 byte in 3 elementi"; }))
      << SizeText(dialog);
  const wxButton* stop = ButtonLabelled(dialog, "Annulla");
  ASSERT_NE(stop, nullptr);
  EXPECT_FALSE(stop->IsEnabled());  // nothing left to stop
}

// Counting "/" on the window's thread froze every window for seconds, with no way to stop it.
TEST_F(PropertiesWindowTest, CountingALargeFolderKeepsTheWindowsAnsweringAndAnnullaStopsIt) {
  LatenessProbe probe;
  ShowItemProperties("/");
  ASSERT_TRUE(testing_support::WaitFor([] { return Shown() != nullptr; }));
  wxDialog& dialog = *Shown();
  ASSERT_TRUE(testing_support::WaitFor([&] { return probe.ticks() >= 6; }));
  ASSERT_NE(SizeText(dialog).find("calcolo in corso"), std::string::npos) << SizeText(dialog);
  wxButton* stop = ButtonLabelled(dialog, "Annulla");
  ASSERT_NE(stop, nullptr);
  testing_support::RealInput input;
  ASSERT_TRUE(input.ClickMiddle(stop, wxMOUSE_BTN_LEFT, [&] {
    return SizeText(dialog).find("calcolo interrotto") != std::string::npos;
  })) << SizeText(dialog);
  // Stopped for good: the count no longer grows.
  const std::string stopped_at = SizeText(dialog);
  const int ticks = probe.ticks();
  ASSERT_TRUE(testing_support::WaitFor([&] { return probe.ticks() >= ticks + 6; }));
  EXPECT_EQ(SizeText(dialog), stopped_at);
  EXPECT_LT(probe.worst(), milliseconds(500));
}

}  // namespace
}  // namespace platform::properties
