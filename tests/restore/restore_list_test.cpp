#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/text.h"
#include "restore/archive_search.h"
#include "restore/restore_items.h"
#include "restore/restore_jobs.h"
#include "runner/archive_names.h"
#include "support/temp_folder.h"

namespace {

using namespace restore;
using platform::paths::kSeparator;
using testing_support::TempFolder;

// An item read back as "number|archive|description|path".
std::string Read(const std::string& item) {
  const RestoreEntry e = ReadRestoreItem(item);
  return std::to_string(e.number) + "|" + e.archive + "|" + e.description + "|" + e.path;
}

TEST(RestoreItems, FixedColumnsAsTheWindowReadsThemWhateverTheAccentsAndNumbers) {
  EXPECT_EQ(RestoreListItem(1, "1406_1_1.ZIP", "Documenti", "/home/anna/Documenti/"),
            " 1    1406_1_1.ZIP Documenti" + std::string(31, ' ') + " /home/anna/Documenti/");

  // Columns count characters: accents and a description too long for its 40 keep them in place.
  const std::string accented = RestoreListItem(123, "0101_1_2.ZIP",
                                               "Attività è più lunga di quaranta caratteri già", "/srv/città/");
  EXPECT_EQ(platform::text::MidChars(accented, 0, 6), " 123  ");
  EXPECT_EQ(platform::text::MidChars(accented, 60), "/srv/città/");
  EXPECT_EQ(Read(accented), "123|0101_1_2.ZIP|Attività è più lunga di quaranta caratte|/srv/città/");
  // Running numbers past four digits stay in their column too.
  for (int number : {9999, 10000, 36600}) EXPECT_EQ(Read(RestoreListItem(number, "0101_1_1.ZIP", "D", "/p/")),
              std::to_string(number) + "|0101_1_1.ZIP|D|/p/");
  EXPECT_EQ(Read(""), "0|||");
}

class ArchiveSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.Path_Dati = data.path();
    state.Nome_Copia = "Copia_01.Dat";
    state.Num_Righe = 100;
    for (int i = 1; i <= 100; ++i) {
      state.Des_Riga[i] = "Riga " + std::to_string(i);
      state.Path_Riga[i] = "/dati/" + std::to_string(i) + "/";
    }
  }
  TempFolder data;
  store::ProfileState state;
};

TEST_F(ArchiveSearchTest, OnlyTheProfilesArchivesInNameOrderWithTheirLines) {
  for (const char* name : {"1506_1_2.ZIP", "1406_1_1.ZIP", "140611_1.ZIP", "140610_2.ZIP",
                           "1406_1_1.zip", "1406_1_1.ZIP.aBc123", "Copia_01.Dat", "0101_100.ZIP"})
    data.Write(name, "");
  data.Write("0202_1_1.ZIP/dentro", "");  // a folder, not an archive
  EXPECT_EQ(CERCA_ARCHIVI(state, "????_1??.ZIP"),
            (std::vector<std::string>{RestoreListItem(1, "0101_100.ZIP", "Riga 100", "/dati/100/"),
                                      RestoreListItem(2, "1406_1_1.ZIP", "Riga 1", "/dati/1/"),
                                      RestoreListItem(3, "1506_1_2.ZIP", "Riga 2", "/dati/2/")}));
  // Found on Windows, as the system's own search finds it: there was "nothing to restore".
  data.Write("1306_1_1.zip", "");
#ifdef _WIN32
  EXPECT_EQ(ReadRestoreItem(CERCA_ARCHIVI(state, "????_1??.ZIP")[1]).archive, "1306_1_1.zip");
#else
  EXPECT_EQ(CERCA_ARCHIVI(state, "????_1??.ZIP").size(), 3u);
#endif
}

TEST_F(ArchiveSearchTest, EveryArchiveIsListedAndOddLineNumbersReachNoTable) {
  for (int day = 1; day <= 6; ++day)
    for (int line = 10; line <= 99; ++line) data.Write(runner::ArchiveName(day, 1, "_1", runner::LineCode(line)), "");
  data.Write("0101_1xy.ZIP", "");  // line 0: no folder line
  const auto items = CERCA_ARCHIVI(state, "????_1??.ZIP");
  ASSERT_EQ(items.size(), 6u * 90 + 1);
  EXPECT_EQ(Read(items.back()), "541|0601_199.ZIP|Riga 99|/dati/99/");
  EXPECT_EQ(Read(items[90]), "91|0101_1xy.ZIP||");
}

TEST_F(ArchiveSearchTest, RestoreJobsForLineHundredABlankTargetAndAQuotedOne) {
  state.Archivio_Scelto = "3112_1_7.ZIP";
  state.Cartella_Arrivo = "   ";  // blank: over the originals
  data.Write("3112_100.ZIP", "");
  state.Path_Riga[100] = data.path() + "dati" + kSeparator;  // a complete path on every system
  auto jobs = RestoreJobs(state, "/p/archivia");
  ASSERT_EQ(jobs.size(), 100u);
  EXPECT_EQ(jobs[99].command_line, "/p/archivia -min -e -o " + data.path() + "3112_100.ZIP \"" +
                                       platform::paths::DriveRoot(data.path()) + "\"");
  // A line whose folder names no drive has no original place to go back to.
  state.Path_Riga[100] = "dati/100/";
  EXPECT_EQ(RestoreJobs(state, "/p/archivia")[99].refusal,
            "la cartella d'origine non è un percorso completo: dati/100/");
  EXPECT_EQ(jobs[0].refusal, "l'archivio 3112_1_1.ZIP non esiste");
  state.Cartella_Arrivo = "/tmp/\"x\"/";
  EXPECT_NE(RestoreJobs(state, "/p/archivia")[99].refusal.find("virgolette"), std::string::npos);
}

}  // namespace
