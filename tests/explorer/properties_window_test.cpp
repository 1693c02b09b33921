// Our own properties window, shown when no file manager answers on the session bus.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/timer.h>

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

// Ticks every 50 ms and keeps how late the worst tick came: a window that stops answering
// shows up as a late tick.
class LatenessProbe final : public wxTimer {
 public:
  LatenessProbe() { Start(50); }
  void Notify() override {
    const Clock::time_point now = Clock::now();
    if (ticks_++ > 0)
      worst_ = std::max(worst_, std::chrono::duration_cast<milliseconds>(now - last_) - milliseconds(50));
    last_ = now;
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
  // No file manager: the bus cannot be reached, so our own window shows.
  void SetUp() override {
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/faldone-test-bus", 1);
  }
  void TearDown() override {
    if (wxDialog* shown = Shown()) testing_support::DestroyNow(shown);
  }

  // Shows the window for path and gives it once it is on screen.
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
  LatenessProbe probe;
  wxDialog& dialog = ShowFor("/");
  ASSERT_TRUE(WaitFor([&] { return probe.ticks() >= 6; }));
  ASSERT_NE(SizeText(dialog).find("calcolo in corso"), std::string::npos) << SizeText(dialog);
  ASSERT_NE(Annulla(dialog), nullptr);
  ASSERT_TRUE(testing_support::ClickOn(*Annulla(dialog), wxMOUSE_BTN_LEFT, [&] {
    return SizeText(dialog).find("calcolo interrotto") != std::string::npos;
  })) << SizeText(dialog);
  // Stopped for good: the count no longer grows.
  const std::string stopped_at = SizeText(dialog);
  const int ticks = probe.ticks();
  ASSERT_TRUE(WaitFor([&] { return probe.ticks() >= ticks + 6; }));
  EXPECT_EQ(SizeText(dialog), stopped_at);
  EXPECT_LT(probe.worst(), milliseconds(500));
}

}  // namespace
}  // namespace platform::properties
