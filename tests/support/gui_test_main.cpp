// Main of the tests that create real windows: the toolkit on a display, an event loop active.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <cstdio>
#include <string>

#include "platform/text_language.h"

namespace {

struct TestApp : wxApp {
  bool OnInit() override { return true; }
};

// A toolkit assertion fails the test: left to the toolkit, its message box would wait for ever.
void FailTheTest(const wxString& file, int line, const wxString& function, const wxString& condition,
                 const wxString& message) {
  ADD_FAILURE_AT(file.utf8_str(), line)
      << "toolkit assertion in " << function.utf8_string() << ": " << condition.utf8_string() << " "
      << message.utf8_string();
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleMock(&argc, argv);
  wxApp::SetInstance(new TestApp);
  wxSetAssertHandler(FailTheTest);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "Impossibile avviare l'interfaccia grafica: manca un display?\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  // The windows are tested with the texts the program shows.
  if (!platform::UseItalianTexts()) {
    std::fprintf(stderr, "Manca il catalogo italiano dei testi del toolkit (pacchetto wx3.2-i18n).\n");
    return 1;
  }
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = RUN_ALL_TESTS();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
