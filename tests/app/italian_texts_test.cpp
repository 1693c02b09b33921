// Every window and dialog a person can open, as the toolkit draws it: no English word may show.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <regex>
#include <set>

#include "editor/profile_editor.h"
#include "explorer/explorer_window.h"
#include "explorer/show_explorer.h"
#include "picker/form4.h"
#include "picker/system_tree_view.h"
#include "platform/dialogs.h"
#include "platform/operation_dialogs.h"
#include "platform/properties.h"
#include "restore/restore_items.h"
#include "restore/restore_window.h"
#include "support/act_while_waiting.h"
#include "support/main_window_fixture.h"

namespace {

using namespace testing_support;
using Strings = std::vector<std::string>;

// Words the toolkit and the system show when left in English.
const std::regex kEnglishWord(
    "(^|[^A-Za-z])(Cancel|Close|Open|Save|Delete|Copy|Paste|Cut|Select|All|Insert|Emoji|Undo|Redo|Elapsed|Remaining|"
    "Estimated|Total|time|Time|exists|Error|Warning|Information|Question|Help|Apply|Browse|Skip|Retry|Abort|"
    "Unknown|Permission|denied|Yes|Properties|Size|Name|Type|Modified|Folder|Home|Desktop|Loading|Search|"
    "Back|Forward|Path|Input|Methods|Files|View|List|Details|Refresh|Empty|the|of|and|with|Other|Locations|"
    "Recent|Trash)(?![A-Za-z])");

// Texts in English on purpose: the help caption, the folder-tree picker's and the explorer's names.
const std::set<std::string> kHelpCaption = {"Help / Aiuto"};
const std::set<std::string> kPickerNames = {"Help / Aiuto", "Set Path to App.Path", "System Treeview Theft"};
const std::set<std::string> kExplorerNames = {
    "Help / Aiuto", "View", "Big icons", "Small icons", "List", "Details", "Open", "Open with notepad", "Cut", "Copy",
    "Paste", "Delete", "Properties", "Refresh", "Empty RecycleBin", "Name", "Size", "Files", "You can't delete root",
    "Access denied"};

// A caption as one line of words: mnemonics gone, a wrapped caption joined again.
std::string Plain(const std::string& text) {
  return std::regex_replace(std::regex_replace(text, std::regex("[_&]"), ""), std::regex("[\n ]+"), " ");
}

void CollectTexts(GtkWidget* widget, Strings& texts) {
  if (!gtk_widget_get_mapped(widget)) return;
  if (GTK_IS_LABEL(widget)) texts.push_back(gtk_label_get_text(GTK_LABEL(widget)));
  if (GTK_IS_WINDOW(widget) && gtk_window_get_title(GTK_WINDOW(widget)))
    texts.push_back(gtk_window_get_title(GTK_WINDOW(widget)));
  if (gchar* tip = gtk_widget_get_tooltip_text(widget)) {
    texts.push_back(tip);
    g_free(tip);
  }
  if (GTK_IS_CONTAINER(widget))
    gtk_container_forall(GTK_CONTAINER(widget), [](GtkWidget* child, gpointer out) {
      CollectTexts(child, *static_cast<Strings*>(out));
    }, &texts);
}

std::set<GtkWidget*> MappedTopLevels() {
  std::set<GtkWidget*> mapped;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w; w = w->next)
    if (gtk_widget_get_mapped(GTK_WIDGET(w->data))) mapped.insert(GTK_WIDGET(w->data));
  g_list_free(windows);
  return mapped;
}

// Every text on screen now that holds an English word and is not English by design.
Strings EnglishOnScreen(const std::set<std::string>& by_design = kHelpCaption) {
  PumpEvents();
  Strings texts, english;
  for (GtkWidget* window : MappedTopLevels()) CollectTexts(window, texts);
  for (const std::string& raw : texts)
    if (const std::string text = Plain(raw); !by_design.count(text) && std::regex_search(text, kEnglishWord))
      english.push_back(text);
  return english;
}

// Opens what open shows and waits in, reads the screen once a new window is on it, closes it.
Strings EnglishWhileOpen(const std::function<void()>& open, const std::function<void()>& close,
                         const std::set<std::string>& by_design) {
  Strings found;
  const std::set<GtkWidget*> before = MappedTopLevels();
  ActWhileWaiting read([&] {
    found = EnglishOnScreen(by_design);
    close();
  }, [&] { return std::ranges::any_of(MappedTopLevels(), [&](GtkWidget* w) { return !before.count(w); }); });
  open();
  PumpEvents();
  return found;
}

TEST(ItalianTexts, NoWindowOrDialogShowsAnEnglishWord) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Documenti\r\n 1#Lettere#" + folder.path() + "\r\n");
  store::ProfileState state;
  RecordingLink link;
  ModalDialogs modal;
  const auto close_modal = [&] { modal.Close(); };

  auto* main = new main_window::MainWindow(state, {});
  state.Path_Dati = folder.path();
  main->Show();
  main->RebuildList();
  EXPECT_EQ(EnglishOnScreen(), Strings{}) << "main window";

  state.Nome_Copia = "Copia_01.Dat";
  editor::Form2& editor = editor::ShowProfileEditor(state, link);
  EXPECT_EQ(EnglishOnScreen(), Strings{}) << "editor";
  // A text box's own context menu, drawn by the toolkit.
  gboolean shown = FALSE;
  g_signal_emit_by_name(editor.txtDes_Copia->GetHandle(), "popup-menu", &shown);
  EXPECT_EQ(EnglishOnScreen(), Strings{}) << "text box menu";
  for (GtkWidget* window : MappedTopLevels())
    if (GtkWidget* child = gtk_bin_get_child(GTK_BIN(window)); child && GTK_IS_MENU(child))
      gtk_menu_shell_deactivate(GTK_MENU_SHELL(child));
  editor.Close();
  PumpEvents();

  struct Opening {
    const char* where;
    std::function<void()> open, close;
    std::set<std::string> by_design = kHelpCaption;
  };
  const std::vector<Opening> openings = {
      {"message box", [] { platform::ShowMessage("Prova"); }, close_modal},
      {"end message with details", [] { platform::ShowDetailedMessage("Prova", "riga 1: la cartella non esiste"); },
       close_modal},
      {"input box", [] { static_cast<void>(platform::InputBox("Confermi ?   (S/N)", "Prova", "N")); }, close_modal},
      {"replace question", [] { static_cast<void>(platform::AskReplace("Sostituire?", "Prova")); }, close_modal},
      {"folder tree", [&] { picker::BrowseForFolder(state, folder.path()); },
       [] { picker::System_TreeView_Rete::Open()->Close(); }, kPickerNames},
      {"drive and folder", [&] { picker::ChooseDriveAndFolder(state); }, close_modal},
      {"explorer", [&] { explorer::ShowExplorerAndWait(state); }, [] {
         for (wxWindow* w : wxTopLevelWindows)
           if (auto* explorer = dynamic_cast<explorer::frmDir*>(w)) explorer->OnCancel();
       }, kExplorerNames}};
  for (const Opening& o : openings) EXPECT_EQ(EnglishWhileOpen(o.open, o.close, o.by_design), Strings{}) << o.where;
  {
    // The progress window shows only once the work has gone on for a while.
    auto progress = platform::StartProgress("Copia in corso");
    const std::set<GtkWidget*> before = MappedTopLevels();
    ASSERT_TRUE(WaitFor([&] {
      static_cast<void>(progress->Update(10, "prova.txt"));
      return MappedTopLevels().size() > before.size();
    }));
    EXPECT_EQ(EnglishOnScreen(), Strings{}) << "progress window";
  }
  platform::properties::ShowItemProperties(folder.path() + "Copia_01.Dat");
  EXPECT_EQ(EnglishOnScreen(), Strings{}) << "properties";
  for (wxWindow* w : wxTopLevelWindows)
    if (w != main) w->Close();
  PumpEvents();

  auto* restore = restore::OpenRestoreWindow(
      main, state, link, "", {restore::RestoreListItem(1, "1205_1_1.ZIP", "Lettere", "/")});
  EXPECT_EQ(EnglishOnScreen(), Strings{}) << "restore window";
  restore->Destroy();
  DestroyNow(main);
}

}  // namespace
