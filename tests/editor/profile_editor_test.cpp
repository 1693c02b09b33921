#include "editor/profile_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "picker/form4.h"
#include "picker/system_tree_view.h"
#include "store/editor_items.h"
#include "support/act_while_waiting.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace {

using editor::Form2;
using testing_support::ActWhileWaiting;
using testing_support::PumpEvents;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;

// The main window as the editor sees it: every call written down.
class RecordingLink : public main_window::MainWindowLink {
 public:
  void DisableForChild() override { calls.push_back("disable"); }
  void GiveBack() override { calls.push_back("give back"); }
  void SetProfileCommandsEnabled(bool on) override { calls.push_back(on ? "commands on" : "commands off"); }
  void SetRestoreCaption(const std::string& caption) override { calls.push_back("restore " + caption); }
  void SetDescriptionText(const std::string& text) override { calls.push_back("description " + text); }
  void SetBanner(const std::string& text) override { calls.push_back("banner " + text); }
  std::vector<std::string> calls;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Lettere", "Foto", "Musica", "Video"})
      std::filesystem::create_directories(folder.path() + name);
    state.Path_Dati = folder.path();
    state.Nome_Copia = "Copia_01.Dat";
    state.Descriz_Copia = "Documenti";
  }
  void TearDown() override {
    if (Form2* open = Form2::Open()) open->Close();
    PumpEvents();
  }

  // Writes the profile with the header and the given " N#description#folder" lines (folder
  // names are taken inside the test folder) and opens the editor on it.
  Form2& OpenOn(const std::vector<std::pair<std::string, std::string>>& lines) {
    folder.Write("Copia_01.Dat", FileText(lines));
    return editor::ShowProfileEditor(state, link);
  }
  std::string FileText(const std::vector<std::pair<std::string, std::string>>& lines) const {
    std::string text = "Copia_01.Dat#Documenti\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i)
      text += " " + std::to_string(i + 1) + "#" + lines[i].first + "#" + In(lines[i].second) + "\r\n";
    return text;
  }
  std::string In(const std::string& name) const { return name.empty() ? "" : folder.path() + name; }
  std::string File() const { return folder.Read("Copia_01.Dat"); }

  static std::vector<std::string> Items(const Form2& editor) {
    std::vector<std::string> items;
    for (const wxString& s : editor.List1->GetStrings()) items.push_back(s.utf8_string());
    return items;
  }
  std::string Item(int number, const std::string& description, const std::string& name) const {
    return store::EditorListItem(number, description, In(name));
  }
  static void Click(Form2& editor, int index) {
    editor.List1->SetSelection(index);
    editor.OnListClick();
  }
  static std::string Text(const wxTextCtrl* box) { return box->GetValue().utf8_string(); }
  // Which of Command1, 2, 3, 4, 7, 8 are enabled, as "1234-8" with "-" for a disabled one.
  static std::string Enabled(const Form2& editor) {
    std::string flags;
    const std::pair<char, wxButton*> buttons[] = {{'1', editor.Command1}, {'2', editor.Command2},
                                                  {'3', editor.Command3}, {'4', editor.Command4},
                                                  {'7', editor.Command7}, {'8', editor.Command8}};
    for (const auto& [name, button] : buttons) flags += button->IsEnabled() ? name : '-';
    return flags;
  }

  TempFolder folder;
  store::ProfileState state;
  RecordingLink link;
  ScriptedDialogs dialogs;
};

TEST_F(EditorTest, OpensOnAProfileWithLinesListingThemAndTakingTheMainWindowsInput) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"Foto di famiglia", "Foto/"}});
  EXPECT_EQ(editor.GetTitle(), "Gestione singole copie personalizzate - PAG.2");
  EXPECT_EQ(link.calls, std::vector<std::string>{"disable"});
  EXPECT_EQ(Items(editor), (std::vector<std::string>{Item(1, "Lettere", "Lettere/"),
                                                     Item(2, "Foto di famiglia", "Foto/")}));
  EXPECT_EQ(Text(editor.txtNome_Copia), "Copia_01.Dat");
  EXPECT_FALSE(editor.txtNome_Copia->IsEditable());
  EXPECT_EQ(Text(editor.txtDescriz_Copia), "Documenti");
  EXPECT_EQ(Text(editor.txtNum_Copia), "");
  EXPECT_EQ(Enabled(editor), "123478");
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(EditorTest, OpensOnAProfileWithoutLinesWithLineOnePreparedAndDeleteUnavailable) {
  Form2& editor = OpenOn({});
  EXPECT_EQ(Text(editor.txtNum_Copia), "1");
  EXPECT_EQ(Text(editor.txtDes_Copia), "Copia 1");
  EXPECT_EQ(Text(editor.txtPath_Copia), "");
  EXPECT_EQ(Enabled(editor), "-234-8");

  editor.txtPath_Copia->ChangeValue(In("Lettere"));
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText({{"Copia 1", "Lettere/"}}));
  EXPECT_EQ(Items(editor), std::vector<std::string>{Item(1, "Copia 1", "Lettere/")});
  // A confirm brings "Nuova copia" back; nothing brings "Cancella" back until the next opening.
  EXPECT_EQ(Enabled(editor), "1234-8");
  EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "description Documenti", "commands on"}));
}

TEST_F(EditorTest, ConfirmRewritesAChangedLineWithItsClosingSeparator) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"Foto", "Foto/"}});
  Click(editor, 1);
  EXPECT_EQ(Text(editor.txtNum_Copia) + "|" + Text(editor.txtDes_Copia) + "|" + Text(editor.txtPath_Copia),
            "2|Foto|" + In("Foto/"));
  editor.txtDes_Copia->ChangeValue("Musica");
  editor.txtPath_Copia->ChangeValue("  " + In("Musica") + "  ");
  editor.txtDescriz_Copia->ChangeValue(" Casa ");
  editor.OnConfirm();
  EXPECT_EQ(File(), "Copia_01.Dat#Casa\r\n 1#Lettere#" + In("Lettere/") + "\r\n 2#Musica#" +
                        In("Musica/") + "\r\n");
  EXPECT_EQ(Items(editor).back(), Item(2, "Musica", "Musica/"));
  EXPECT_EQ(Text(editor.txtPath_Copia), "  " + In("Musica") + "  ");  // the boxes keep their text
  EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "description Casa", "commands on"}));
}

TEST_F(EditorTest, AFailedCheckWritesNothingButBringsNuovaCopiaBackOnceTheDescriptionPassed) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  const std::string before = File();
  editor.OnNewLine();
  EXPECT_EQ(Text(editor.txtNum_Copia) + "|" + Text(editor.txtDes_Copia), "2|Copia 2");
  EXPECT_EQ(Enabled(editor), "-23478");

  editor.txtDes_Copia->ChangeValue("  ");
  editor.OnConfirm();
  EXPECT_EQ(Enabled(editor), "-23478");
  editor.txtDes_Copia->ChangeValue("Foto");
  editor.OnConfirm();  // the folder is still empty
  EXPECT_EQ(Enabled(editor), "123478");
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "message: Indicare una descrizione !!!", "beep",
                                                     "message: Indicare un nome di cartella da salvare !!!"}));
  EXPECT_EQ(File(), before);
  EXPECT_EQ(Items(editor).size(), 1u);
  EXPECT_EQ(link.calls, std::vector<std::string>{"disable"});
}

TEST_F(EditorTest, AFolderThatDoesNotExistIsStoredOnlyWhenTheUserSaysS) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  const std::string before = File();
  Click(editor, 0);
  editor.txtPath_Copia->ChangeValue("/media/chiavetta/Lettere");
  dialogs.Answer("s");
  editor.OnConfirm();
  EXPECT_EQ(File(), before);
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.calls()[0].text,
            "La cartella /media/chiavetta/Lettere/ non esiste o non è raggiungibile.\r\n\r\n"
            "Confermi ugualmente la riga ?   (S/N)");
  EXPECT_EQ(dialogs.calls()[0].title + "|" + dialogs.calls()[0].default_text, "Conferma riga|N");

  dialogs.Answer(" S ");
  editor.OnConfirm();
  EXPECT_EQ(File(), "Copia_01.Dat#Documenti\r\n 1#Lettere#/media/chiavetta/Lettere/\r\n");
}

TEST_F(EditorTest, DeletingLineTwoOfFourRenumbersTheFileAndTheList) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"Foto", "Foto/"}, {"Musica", "Musica/"}, {"Video", "Video/"}});
  Click(editor, 1);
  dialogs.Answer("S");
  editor.OnDelete();
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.calls()[0].text, "Confermi la cancellazione dell riga  2   (S/N)");
  EXPECT_EQ(dialogs.calls()[0].title + "|" + dialogs.calls()[0].default_text, "Cancellazione record|N");
  EXPECT_EQ(File(), FileText({{"Lettere", "Lettere/"}, {"Musica", "Musica/"}, {"Video", "Video/"}}));
  EXPECT_EQ(Items(editor), (std::vector<std::string>{Item(1, "Lettere", "Lettere/"), Item(2, "Musica", "Musica/"),
                                                     Item(3, "Video", "Video/")}));
  EXPECT_EQ(Text(editor.txtNum_Copia) + Text(editor.txtDes_Copia) + Text(editor.txtPath_Copia), "");
}

TEST_F(EditorTest, DeleteChangesNothingUnlessTheAnswerIsCapitalS) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"Foto", "Foto/"}});
  const std::string before = File();
  editor.OnDelete();  // no line picked yet
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "message: Selezionare la riga da cancellare !!!"}));
  Click(editor, 0);
  for (const char* answer : {"s", "SI", ""}) {
    dialogs.Answer(answer);
    editor.OnDelete();
  }
  EXPECT_EQ(File(), before);
  EXPECT_EQ(Items(editor).size(), 2u);
  EXPECT_EQ(Text(editor.txtNum_Copia), "1");
}

TEST_F(EditorTest, AListClickShowsFortyCharactersButNeverShortensTheStoredDescription) {
  const std::string fifty = "Relazioni trimestrali del reparto vendite 2003 ABC";
  Form2& editor = OpenOn({{fifty, "Lettere/"}, {"Foto", "Foto/"}});
  Click(editor, 0);
  EXPECT_EQ(Text(editor.txtDes_Copia), fifty.substr(0, 40));
  Click(editor, 1);
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText({{fifty, "Lettere/"}, {"Foto", "Foto/"}}));
}

TEST_F(EditorTest, ALineWithoutDescriptionIsAnnouncedAndTheLinesAfterItKeepTheirFolders) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"", "Foto/"}, {"Musica", "Musica/"}});
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("2: " + In("Foto/")), std::string::npos);
  EXPECT_EQ(Items(editor), (std::vector<std::string>{Item(1, "Lettere", "Lettere/"), Item(2, "Musica", "Musica/")}));
  Click(editor, 1);
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText({{"Lettere", "Lettere/"}, {"Musica", "Musica/"}}));
}

TEST_F(EditorTest, NoLineOfAnEarlierProfileNorAnUnconfirmedSlotIsEverWritten) {
  for (int i = 1; i <= 5; ++i) {
    state.Des_Riga[i] = "Altra copia";
    state.Path_Riga[i] = "/altra/";
  }
  state.Max_Num_Riga = 5;
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  editor.OnNewLine();
  Click(editor, 0);
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText({{"Lettere", "Lettere/"}}));
  editor.OnNewLine();
  EXPECT_EQ(Text(editor.txtNum_Copia), "2");
}

TEST_F(EditorTest, AWriteThatFailsIsReportedAndTheListStillShowsTheFile) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  Click(editor, 0);
  editor.txtDes_Copia->ChangeValue("Corrispondenza");
  state.Path_Dati = folder.path() + "sparita/";
  editor.OnConfirm();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("sparita/Copia_01.Dat"), std::string::npos);
  EXPECT_EQ(Items(editor), std::vector<std::string>{Item(1, "Lettere", "Lettere/")});
  EXPECT_EQ(state.Des_Riga[1], "Lettere");
  EXPECT_EQ(link.calls, std::vector<std::string>{"disable"});
}

TEST_F(EditorTest, ClosingByEitherWayGivesTheMainWindowBackOnce) {
  for (bool close_box : {true, false}) {
    Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
    EXPECT_EQ(&editor::ShowProfileEditor(state, link), &editor);  // one editor at a time
    if (close_box) editor.Close();
    else editor.OnEnd();
    PumpEvents();
    EXPECT_EQ(Form2::Open(), nullptr);
    EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "give back"}));
    link.calls.clear();
  }
}

TEST_F(EditorTest, SfogliaTakesTheFolderChosenInTheTreeAndKeepsTheTextWhenNoneIs) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  Click(editor, 0);
  std::string start;
  ActWhileWaiting choose([&] {
    picker::System_TreeView_Rete* tree = picker::System_TreeView_Rete::Open();
    start = state.Path_Scelto;
    tree->SetBrowsePath(In("Foto"));
    tree->OnConfirm();
  });
  editor.OnBrowse();
  EXPECT_EQ(start, "/");
  EXPECT_EQ(Text(editor.txtPath_Copia), In("Foto/"));

  ActWhileWaiting choose_nothing([&] {
    picker::System_TreeView_Rete* tree = picker::System_TreeView_Rete::Open();
    tree->tree->GetTreeCtrl()->SelectItem(tree->tree->GetTreeCtrl()->GetRootItem());
    tree->Close();
  });
  editor.OnBrowse();
  EXPECT_EQ(Text(editor.txtPath_Copia), In("Foto/"));
}

TEST_F(EditorTest, TheFolderFieldMenuOffersBothPickers) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  Click(editor, 0);
  const std::unique_ptr<wxMenu> menu = editor.BuildFolderMenu();
  ASSERT_EQ(menu->GetMenuItemCount(), editor::FolderPickers().size());
  EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabelText(), "Sfoglia nell'albero delle cartelle...");
  EXPECT_EQ(menu->FindItemByPosition(1)->GetItemLabelText(), "Scegli disco e cartella...");

  std::string opened_at;
  ActWhileWaiting choose([&] {
    for (wxWindow* window : wxTopLevelWindows)
      if (auto* form = dynamic_cast<picker::Form4*>(window); form && form->IsModal()) {
        opened_at = form->Dir1->SelectedPath();
        form->Dir1->SelectFolder(In("Musica"));
        form->OnConfirm();
      }
  });
  menu->SendEvent(menu->FindItemByPosition(1)->GetId());
  PumpEvents();
  EXPECT_EQ(opened_at, In("Lettere"));
  EXPECT_EQ(Text(editor.txtPath_Copia), In("Musica"));
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText({{"Lettere", "Musica/"}}));
}

TEST_F(EditorTest, ClosingTheEditorWhileTheTreeIsOpenClosesTheTreeFirst) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  ActWhileWaiting close_editor([&] {
    editor.Close();
    EXPECT_EQ(picker::System_TreeView_Rete::Open(), nullptr);
  });
  editor.OnBrowse();
  PumpEvents();
  EXPECT_EQ(Form2::Open(), nullptr);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "give back"}));
}

}  // namespace
