#include <wx/app.h>

#include <exception>

#include "app/program_icon.h"
#include "editor/profile_editor.h"
#include "main_window/main_window.h"
#include "platform/dialogs.h"
#include "platform/text_language.h"
#include "store/profile_state.h"

namespace {

class FaldoneApp : public wxApp {
 public:
  bool OnInit() override {
    // Without the catalog the toolkit's few texts stay English; the program still works.
    static_cast<void>(platform::UseItalianTexts());
    main_window::MainWindowHooks hooks;
    hooks.openEditor = [this](main_window::MainWindowLink& link) {
      editor::ShowProfileEditor(state_, link);
    };
    hooks.endProgram = [this] { ExitMainLoop(); };
    auto* window = new main_window::MainWindow(state_, std::move(hooks));
    ShowProgramIcon(*window);
    window->Show();
    SetTopWindow(window);
    // The list is built once the window is on screen, so that "no profile" shows over it.
    window->CallAfter([window] { window->RebuildList(); });
    return true;
  }

  // Last resort: a failure nobody caught must still reach the user, not end the program.
  bool OnExceptionInMainLoop() override {
    try {
      throw;
    } catch (const std::exception& e) {
      platform::BeepAndMessage(std::string("Errore imprevisto: ") + e.what());
    } catch (...) {
      platform::BeepAndMessage("Errore imprevisto.");
    }
    return true;
  }

 private:
  store::ProfileState state_;  // the one shared state, handed to every window
};

}  // namespace

wxIMPLEMENT_APP(FaldoneApp);
