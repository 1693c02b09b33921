// Copy, move, delete and rename as every system does them: names, questions, cancelling.
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <tuple>

#include "explorer/file_operations_fixture.h"
#include "explorer/file_rename.h"

namespace platform::file_operations {
namespace {

TEST_F(FileOperationsTest, ACopyIntoItsOwnFolderGetsANameOfItsOwn) {
  folder.Write("Dati/lettera.txt", "testo");
  EXPECT_EQ(CopyInto(In("Dati/lettera.txt"), In("Dati")), Outcome::Done);
  EXPECT_EQ(CopyInto(In("Dati/lettera.txt"), In("Dati/")), Outcome::Done);
  EXPECT_EQ(folder.Read("Dati/Copia di lettera.txt"), "testo");
  EXPECT_EQ(folder.Read("Dati/Copia (2) di lettera.txt"), "testo");
  // A move there has nothing to do.
  EXPECT_EQ(MoveInto(In("Dati/lettera.txt"), In("Dati")), Outcome::Done);
  EXPECT_EQ(folder.Read("Dati/lettera.txt"), "testo");
  EXPECT_TRUE(operation_dialogs.replace_questions().empty());
}

TEST_F(FileOperationsTest, AnExistingItemIsReplacedOnlyWhenTheUserSaysSoInACopyAFolderCopyAndAMove) {
  folder.Write("da/x.txt", "nuovo");
  folder.Write("a/x.txt", "vecchio");
  const std::tuple<ReplaceAnswer, Outcome, const char*> rows[] = {{ReplaceAnswer::No, Outcome::Done, "vecchio"},
                                                                {ReplaceAnswer::Cancel, Outcome::Aborted, "vecchio"},
                                                                {ReplaceAnswer::Yes, Outcome::Done, "nuovo"}};
  for (const auto& [answer, outcome, kept] : rows) {
    operation_dialogs.AnswerReplace(answer);
    EXPECT_EQ(CopyInto(In("da/x.txt"), In("a")), outcome);
    EXPECT_EQ(folder.Read("a/x.txt"), kept);
  }
  ASSERT_EQ(operation_dialogs.replace_questions().size(), 3u);
  EXPECT_NE(operation_dialogs.replace_questions()[0].find("\"x.txt\""), std::string::npos);

  for (const char* name : {"Foto/a.jpg", "Foto/b.jpg", "Foto/c.jpg"}) folder.Write(name, "nuova");
  for (const char* name : {"dest/Foto/a.jpg", "dest/Foto/b.jpg"}) folder.Write(name, "vecchia");
  operation_dialogs.AnswerReplace(ReplaceAnswer::YesToAll);
  EXPECT_EQ(CopyInto(In("Foto"), In("dest")), Outcome::Done);
  EXPECT_EQ(operation_dialogs.replace_questions().size(), 4u);
  for (const char* name : {"dest/Foto/a.jpg", "dest/Foto/b.jpg", "dest/Foto/c.jpg"})
    EXPECT_EQ(folder.Read(name), "nuova") << name;

  folder.Write("Dati/a.txt", "nuovo a");
  folder.Write("Dati/b.txt", "nuovo b");
  folder.Write("dest/Dati/a.txt", "vecchio a");
  operation_dialogs.AnswerReplace(ReplaceAnswer::No);
  EXPECT_EQ(MoveInto(In("Dati"), In("dest")), Outcome::Done);
  EXPECT_EQ(folder.Read("dest/Dati/a.txt"), "vecchio a");
  EXPECT_EQ(folder.Read("dest/Dati/b.txt"), "nuovo b");
  EXPECT_EQ(folder.Read("Dati/a.txt"), "nuovo a");  // not moved, not lost
  EXPECT_FALSE(folder.Exists("Dati/b.txt"));
}

TEST_F(FileOperationsTest, ACancelledCopyLeavesNoHalfWrittenFile) {
  folder.Write("da/grande.bin", std::string(5 << 20, 'g'));
  folder.Write("a/.keep", "");
  operation_dialogs.CancelAtUpdate(1);  // the first report, before the copy is whole
  EXPECT_EQ(CopyInto(In("da/grande.bin"), In("a")), Outcome::Aborted);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(In("a")), {}), 1);  // only .keep
  EXPECT_EQ(operation_dialogs.progress_titles(), (std::vector<std::string>{"Copia"}));
  EXPECT_TRUE(dialogs.calls().empty());
}

// Windows also refuses names it would change and, on a folder that ignores case, a name taken in another case.
TEST_F(FileOperationsTest, ARenameStaysInItsFolderAndNeverReplacesAnotherItem) {
  folder.Write("vecchio.txt", "1");
  folder.Write("altro.txt", "2");
  folder.Write("Sotto/x", "");
  const auto rename = [&](const std::string& from, const std::string& to) {
    return explorer::RenameInFolder(folder.path(), from, to);
  };
  EXPECT_EQ(rename("vecchio.txt", "altro.txt"), EEXIST);
  std::vector<std::string> bad = {"", ".", "..", "Sotto/nuovo.txt"};
#ifdef _WIN32
  EXPECT_EQ(rename("vecchio.txt", "ALTRO.TXT"), EEXIST);
  bad.insert(bad.end(), {"nome.", "nome ", "flusso:dati", "..\\fuori.txt", "C:fuori.txt"});
#endif
  for (const std::string& name : bad) EXPECT_EQ(rename("vecchio.txt", name), EINVAL) << name;
  EXPECT_EQ(rename("manca.txt", "nuovo.txt"), ENOENT);
  EXPECT_EQ(rename("vecchio.txt", "Nuovo.txt"), 0);
  EXPECT_EQ(folder.Listing(), "Nuovo.txt Sotto altro.txt");
  EXPECT_EQ(folder.Read("Nuovo.txt"), "1");
}

}  // namespace
}  // namespace platform::file_operations
