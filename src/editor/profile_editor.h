#pragma once

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>

#include "editor/folder_pickers.h"
#include "main_window/main_window_link.h"
#include "store/profile_state.h"

namespace editor {

inline constexpr const char* kEditorCaption = "Gestione singole copie personalizzate - PAG.2";

// Form2: the folder lines of one profile. Every confirm and every delete rewrites the profile
// file, and the list always shows what the file holds. The handlers are public so that the
// program's events and the tests drive the same code.
class Form2 : public wxFrame {
 public:
  Form2(store::ProfileState& state, main_window::MainWindowLink& link);
  ~Form2() override;

  // The editor now open, or nullptr.
  static Form2* Open();

  // Takes the main window's input away and loads Nome_Copia into the window.
  void Load();

  void OnListClick();
  void OnNewLine();  // Command1 "Nuova copia"
  void OnConfirm();  // Command2 "Conferma"
  void OnBrowse();   // Command3 "Sfoglia / Ricerca   Cartella/Directory..."
  void OnEnd();      // Command4 "Annulla Fine"
  void OnDelete();   // Command7 "Cancella"
  void OnHelp();     // Command8 "Help / Aiuto"

  // The folder field's context menu: one entry for each folder picker.
  std::unique_ptr<wxMenu> BuildFolderMenu();
  // Puts the folder chosen with picker into the folder field.
  void ChooseFolderWith(const FolderPicker& picker);

  wxTextCtrl* txtNome_Copia = nullptr;
  wxTextCtrl* txtDescriz_Copia = nullptr;
  wxListBox* List1 = nullptr;
  wxTextCtrl* txtNum_Copia = nullptr;
  wxTextCtrl* txtDes_Copia = nullptr;
  wxTextCtrl* txtPath_Copia = nullptr;
  wxButton* Command1 = nullptr;
  wxButton* Command2 = nullptr;
  wxButton* Command3 = nullptr;
  wxButton* Command4 = nullptr;
  wxButton* Command7 = nullptr;
  wxButton* Command8 = nullptr;
  wxStaticText* Label6[2] = {nullptr, nullptr};  // banner and its shadow

 private:
  void BuildControls();
  void BindEvents();
  void RefillList();
  void WarnOfUndescribedLines();
  // Rewrites the profile file from next and, once it is written, makes next the shared state
  // and refills the list. On failure the user is told and state, list and file stay as they
  // were.
  [[nodiscard]] bool Rewrite(store::ProfileState next);
  // True when folder exists, or the user confirms a folder that does not.
  [[nodiscard]] bool FolderAcceptable(const std::string& folder);
  void OnCloseWindow(wxCloseEvent& event);

  store::ProfileState& state_;
  main_window::MainWindowLink& link_;
  bool picking_ = false;              // a folder picker is open and its call is waiting
  bool close_after_picking_ = false;  // the window was closed meanwhile
};

// Shows the editor for Nome_Copia, modeless; while one is open it is brought to the front.
Form2& ShowProfileEditor(store::ProfileState& state, main_window::MainWindowLink& link);

}  // namespace editor
