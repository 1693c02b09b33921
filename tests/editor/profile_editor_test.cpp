#include "editor/profile_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "explorer/explorer_window.h"
#include "picker/form4.h"
#include "picker/system_tree_view.h"
#include "platform/drives.h"
#include "platform/paths.h"
#include "store/editor_items.h"
#include "editor/tree_without_folder.h"
#include "support/act_while_waiting.h"
#include "support/main_window_fixture.h"

namespace {

using editor::Form2;
using namespace testing_support;
using Lines = std::vector<std::pair<std::string, std::string>>;  // description, folder name

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
    // The editor's messages and questions belong to it: parented elsewhere, they would bury it.
    for (const auto& call : dialogs.calls()) EXPECT_EQ(call.parent, editor_) << call.text;
    if (Form2* open = Form2::Open()) open->Close();
    PumpEvents();
  }

  // Writes the profile with these lines, folders inside the test folder, and opens the editor.
  Form2& OpenOn(const Lines& lines) {
    folder.Write("Copia_01.Dat", FileText(lines));
    editor_ = &editor::ShowProfileEditor(state, link);
    return *editor_;
  }
  std::string FileText(const Lines& lines) const {
    std::string text = "Copia_01.Dat#Documenti\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i)
      text += " " + std::to_string(i + 1) + "#" + lines[i].first + "#" + In(lines[i].second) + "\r\n";
    return text;
  }
  std::vector<std::string> ListFor(const Lines& lines) const {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < lines.size(); ++i)
      items.push_back(store::EditorListItem(static_cast<int>(i + 1), lines[i].first, In(lines[i].second)));
    return items;
  }
  // A folder in the test folder, name written with "/" and given in the system's form.
  std::string In(std::string name) const {
    std::replace(name.begin(), name.end(), '/', platform::paths::kSeparator);
    return folder.path() + name;
  }
  std::string File() const { return folder.Read("Copia_01.Dat"); }

  static std::string Text(const wxTextCtrl* box) { return box->GetValue().utf8_string(); }
  // The line being edited: "number|description|folder".
  static std::string Boxes(const Form2& e) {
    return Text(e.txtNum_Copia) + "|" + Text(e.txtDes_Copia) + "|" + Text(e.txtPath_Copia);
  }
  // Command1, 2, 3, 4, 7 and 8 as "123478", with "-" for each one disabled.
  static std::string Enabled(const Form2& e) {
    std::string flags;
    for (const auto& [name, button] : {std::pair{'1', e.Command1}, {'2', e.Command2}, {'3', e.Command3},
                                       {'4', e.Command4}, {'7', e.Command7}, {'8', e.Command8}})
      flags += button->IsEnabled() ? name : '-';
    return flags;
  }

  TempFolder folder;
  store::ProfileState state;
  RecordingLink link;
  ScriptedDialogs dialogs;
  Form2* editor_ = nullptr;  // the editor opened last
};

// The close box gives the main window back too: the Sfoglia test closes the editor that way.
TEST_F(EditorTest, OpensOnAProfileWithLinesInTabOrderAndGivesTheMainWindowBackOnEnd) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"Foto di famiglia", "Foto/"}});
  EXPECT_EQ(&editor::ShowProfileEditor(state, link), &editor);  // one editor at a time
  EXPECT_EQ(ListItems(*editor.List1), ListFor({{"Lettere", "Lettere/"}, {"Foto di famiglia", "Foto/"}}));
  EXPECT_EQ(Text(editor.txtNome_Copia) + "|" + Text(editor.txtDescriz_Copia), "Copia_01.Dat|Documenti");
  EXPECT_FALSE(editor.txtNome_Copia->IsEditable());
  EXPECT_EQ(Enabled(editor), "123478");
  EXPECT_EQ(UnreadableCaptions(editor), std::vector<std::string>{});
  ASSERT_TRUE(ClickInto(*editor.txtNome_Copia));
  const std::vector<TabStop> walk{
      {editor.List1, "List1"}, {editor.txtNum_Copia, "txtNum_Copia"}, {editor.txtDes_Copia, "txtDes_Copia"},
      {editor.txtPath_Copia, "txtPath_Copia"}, {editor.txtDescriz_Copia, "txtDescriz_Copia"},
      {editor.Command1, "Command1"}, {editor.Command4, "Command4"}, {editor.Command2, "Command2"},
      {editor.Command3, "Command3"}, {editor.Command8, "Command8"}, {editor.Command7, "Command7"},
      {editor.txtNome_Copia, "txtNome_Copia"}};
  EXPECT_EQ(TabWalk(walk), StopNames(walk));
  editor.OnEnd();
  PumpEvents();
  EXPECT_EQ(Form2::Open(), nullptr);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "give back"}));
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(EditorTest, OpensOnAProfileWithoutLinesWithLineOnePreparedAndDeleteUnavailable) {
  Form2& editor = OpenOn({});
  EXPECT_EQ(Boxes(editor), "1|Copia 1|");
  EXPECT_EQ(Enabled(editor), "-234-8");
  editor.txtPath_Copia->ChangeValue(In("Lettere"));
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText({{"Copia 1", "Lettere/"}}));
  EXPECT_EQ(ListItems(*editor.List1), ListFor({{"Copia 1", "Lettere/"}}));
  EXPECT_EQ(Enabled(editor), "1234-8");  // "Cancella" only comes back with the next opening
  EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "description Documenti", "commands on"}));
}

TEST_F(EditorTest, FailedChecksAMissingFolderAndAFailedWriteChangeNothingTillTheUserSaysS) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  const std::string before = File();
  editor.OnNewLine();  // what it fills in and enables is the case of a profile without lines
  editor.txtDes_Copia->ChangeValue("  ");
  editor.OnConfirm();
  EXPECT_EQ(Enabled(editor), "-23478");
  editor.txtDes_Copia->ChangeValue("Foto");
  editor.OnConfirm();  // the folder is still empty
  EXPECT_EQ(Enabled(editor), "123478");
  EXPECT_EQ(dialogs.Messages().size(), 2u);  // their texts are the checks' own
  EXPECT_EQ(File(), before);

  // A folder that does not exist is stored only when the user says "S".
  PickInList(editor, 0);
  editor.txtPath_Copia->ChangeValue(In("chiavetta/Lettere"));  // a memory stick not plugged in
  for (const char* answer : {"s", " S "}) {
    EXPECT_EQ(File(), before);
    dialogs.Answer(answer);
    editor.OnConfirm();
  }
  EXPECT_EQ(dialogs.Log()[4],
            "question: La cartella " + In("chiavetta/Lettere/") + " non esiste o non è raggiungibile.\r\n\r\n"
            "Confermi ugualmente la riga ?   (S/N)|Conferma riga|N");
  EXPECT_EQ(File(), FileText({{"Lettere", "chiavetta/Lettere/"}}));

  // A write that fails is reported, and the list, the table and the main window still show the file.
  link.calls.clear();
  PickInList(editor, 0);
  editor.txtDes_Copia->ChangeValue("Corrispondenza");
  state.Path_Dati = folder.path() + "sparita/";
  dialogs.Answer("S");  // the stick is still missing
  editor.OnConfirm();
  ASSERT_EQ(dialogs.Messages().size(), 3u);
  EXPECT_NE(dialogs.Messages()[2].find("sparita/Copia_01.Dat"), std::string::npos) << dialogs.Messages()[2];
  EXPECT_EQ(ListItems(*editor.List1), ListFor({{"Lettere", "chiavetta/Lettere/"}}));
  EXPECT_EQ(state.Des_Riga[1], "Lettere");
  EXPECT_TRUE(link.calls.empty());
}

TEST_F(EditorTest, DeletingLineTwoOfFourRenumbersFileAndListOnlyOnACapitalS) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"Foto", "Foto/"}, {"Musica", "Musica/"}, {"Video", "Video/"}});
  const std::string before = File();
  editor.OnDelete();  // no line picked yet
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Selezionare la riga da cancellare !!!"});
  PickInList(editor, 1);
  for (const char* answer : {"s", "SI", ""}) {
    dialogs.Answer(answer);
    editor.OnDelete();
  }
  EXPECT_EQ(File(), before);
  dialogs.Answer("S");
  editor.OnDelete();
  EXPECT_EQ(dialogs.Log().back(), "question: Confermi la cancellazione dell riga  2   (S/N)|Cancellazione record|N");
  const Lines kept = {{"Lettere", "Lettere/"}, {"Musica", "Musica/"}, {"Video", "Video/"}};
  EXPECT_EQ(File(), FileText(kept));
  EXPECT_EQ(ListItems(*editor.List1), ListFor(kept));
  EXPECT_EQ(Boxes(editor), "||");
}

// The list shows 40 characters of a description, which once cut it on "Conferma".
TEST_F(EditorTest, ALinePickedInTheListAndConfirmedKeepsItsWholeDescription) {
  const std::string fifty = "Relazioni trimestrali del reparto vendite 2003 ABC";
  Form2& editor = OpenOn({{fifty, "Lettere/"}, {"Foto", "Foto/"}});
  ASSERT_TRUE(ClickItem(*editor.List1, 0));
  const std::string picked = "1|" + fifty + "|" + In("Lettere/");
  EXPECT_TRUE(WaitFor([&] { return Boxes(editor) == picked; })) << Boxes(editor);
  wxTextCtrl& folder_box = *editor.txtPath_Copia;
  ASSERT_TRUE(ClickInto(folder_box));
  folder_box.SelectAll();
  ASSERT_TRUE(TypeText(In("Musica"), [&] { return folder_box.GetValue().utf8_string() == In("Musica"); }));
  const std::string before = File();
  ASSERT_TRUE(ClickOn(*editor.Command2, wxMOUSE_BTN_LEFT, [&] { return File() != before; }));
  EXPECT_EQ(File(), FileText({{fifty, "Musica/"}, {"Foto", "Foto/"}}));
  EXPECT_EQ(ListItems(*editor.List1)[0], store::EditorListItem(1, fifty, In("Musica/")));
}

// Through the toolkit, in front of the real main window.
TEST_F(EditorTest, AfterAMessageTheEditorHasTheFocusAndItsConfermaStillAnswers) {
  auto* main = new main_window::MainWindow(state, {});
  main->Show();
  state.Path_Dati = folder.path();
  folder.Write("Copia_01.Dat", FileText({}));
  Form2& editor = editor::ShowProfileEditor(state, *main);  // line 1 prepared, no folder
  ExpectEachClickAMessageOwnedBy(*editor.Command2, editor);
  editor.Close();
  PumpEvents();
  DestroyNow(main);
}

// An unconfirmed slot is never written; the lines of a profile loaded before are the file's test.
TEST_F(EditorTest, ALineWithoutDescriptionIsAnnouncedAndOnlyTheLinesShownAreWritten) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}, {"", "Foto/"}, {"Musica", "Musica/"}});
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("2: " + In("Foto/")), std::string::npos);
  const Lines shown = {{"Lettere", "Lettere/"}, {"Musica", "Musica/"}};
  EXPECT_EQ(ListItems(*editor.List1), ListFor(shown));
  editor.OnNewLine();
  PickInList(editor, 1);
  editor.OnConfirm();
  EXPECT_EQ(File(), FileText(shown));
}

TEST_F(EditorTest, SfogliaTakesTheFolderChosenInTheTreeKeepsTheTextWhenNoneIsAndClosesWithTheEditor) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  std::string start;
  ActWhileWaiting choose([&] {
    picker::System_TreeView_Rete* picker = picker::System_TreeView_Rete::Open();
    start = state.Path_Scelto;
    // Wine's shell tree may take a while to reach a folder made moments earlier.
    EXPECT_TRUE(WaitFor([&] {
      picker->SetBrowsePath(In("Foto"));
      return state.Path_Scelto == In("Foto/");
    }, std::chrono::seconds(10)));
    picker->OnConfirm();
  });
  editor.OnBrowse();
  EXPECT_EQ(start, picker::shell_tree::kStartFolder);
  EXPECT_EQ(Text(editor.txtPath_Copia), In("Foto/"));

  ActWhileWaiting choose_nothing([&] {
    editor::SelectAnItemWithoutFolder(*picker::System_TreeView_Rete::Open(), state);
    picker::System_TreeView_Rete::Open()->Close();
  });
  editor.OnBrowse();
  EXPECT_EQ(Text(editor.txtPath_Copia), In("Foto/"));

  // Closing the editor while the tree is open closes the tree first.
  ActWhileWaiting close_editor([&] { editor.Close(); });
  editor.OnBrowse();
  PumpEvents();
  EXPECT_EQ(picker::System_TreeView_Rete::Open(), nullptr);
  EXPECT_EQ(Form2::Open(), nullptr);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"disable", "give back"}));
}

// The drive chooser opens at the line's folder; the explorer hands back the folder confirmed.
TEST_F(EditorTest, TheFolderFieldMenuOffersTheOtherFolderChoosers) {
  Form2& editor = OpenOn({{"Lettere", "Lettere/"}});
  PickInList(editor, 0);
  const std::unique_ptr<wxMenu> menu = editor.BuildFolderMenu();
  ASSERT_EQ(menu->GetMenuItemCount(), 3u);
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

  ActWhileWaiting confirm_explorer([] {
    for (wxWindow* window : wxTopLevelWindows)
      if (auto* explorer = dynamic_cast<explorer::frmDir*>(window)) explorer->OnConfirm();
  });
  menu->SendEvent(menu->FindItemByPosition(2)->GetId());
  PumpEvents();
  // Confirmed at once, it hands back the folder it opened at: the first drive's root.
  EXPECT_EQ(Text(editor.txtPath_Copia), platform::drives::ListDrives().front().mount_point);
}

}  // namespace
