#include "main_window/backup_jobs.h"

#include <gtest/gtest.h>

namespace {

using main_window::BackupJobs;

store::ProfileState Profile(const std::string& name, int lines) {
  store::ProfileState state;
  state.Path_Dati = "/opt/faldone/";
  state.Nome_Copia = name;
  state.Num_Righe = static_cast<std::int16_t>(lines);
  for (int i = 1; i <= lines; ++i) {
    state.Des_Riga[i] = "Riga " + std::to_string(i);
    state.Path_Riga[i] = "/dati/" + std::to_string(i) + "/";
  }
  return state;
}

TEST(BackupJobs, ThreeLinesOnTheFifthOfMarch) {
  const auto jobs = BackupJobs(Profile("Copia_01.Dat", 3), 5, 3, "/opt/faldone/archivia");
  ASSERT_EQ(jobs.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    EXPECT_EQ(jobs[i].line, i + 1);
    EXPECT_EQ(jobs[i].refusal, "");
    EXPECT_EQ(jobs[i].command_line, "/opt/faldone/archivia -min -a -r -p /opt/faldone/0503_1_" + n +
                                        ".ZIP \"/dati/" + n + "/*.*\"");
  }
}

TEST(BackupJobs, ProfileAndLineCodesFromTenUp) {
  auto state = Profile("Copia_10.Dat", 100);
  const auto jobs = BackupJobs(state, 31, 12, "/p/archivia");
  EXPECT_EQ(jobs[1].command_line, "/p/archivia -min -a -r -p /opt/faldone/311210_2.ZIP \"/dati/2/*.*\"");
  EXPECT_EQ(jobs[98].command_line, "/p/archivia -min -a -r -p /opt/faldone/31121099.ZIP \"/dati/99/*.*\"");
  EXPECT_EQ(jobs[99].command_line, "/p/archivia -min -a -r -p /opt/faldone/31121000.ZIP \"/dati/100/*.*\"");
}

TEST(BackupJobs, ADataFolderWithBlanksIsQuoted) {
  auto state = Profile("Copia_02.Dat", 1);
  state.Path_Dati = "/home/anna/Programmi utili/faldone/";
  EXPECT_EQ(BackupJobs(state, 1, 1, "/home/anna/Programmi utili/faldone/archivia")[0].command_line,
            "\"/home/anna/Programmi utili/faldone/archivia\" -min -a -r -p "
            "\"/home/anna/Programmi utili/faldone/0101_2_1.ZIP\" \"/dati/1/*.*\"");
}

TEST(BackupJobs, BlankDescriptionsRunButBlankOrQuotedFoldersDoNot) {
  auto state = Profile("Copia_01.Dat", 4);
  state.Des_Riga[1] = "";
  state.Path_Riga[2] = "  ";
  state.Path_Riga[3] = "/a \"b\"/";
  const auto jobs = BackupJobs(state, 1, 1, "/p/archivia");
  EXPECT_NE(jobs[0].command_line, "");
  EXPECT_EQ(jobs[1].command_line, "");
  EXPECT_EQ(jobs[1].refusal, "la cartella da salvare non è indicata");
  EXPECT_EQ(jobs[2].command_line, "");
  EXPECT_NE(jobs[2].refusal.find("virgolette"), std::string::npos);
  EXPECT_EQ(jobs[3].refusal, "");
}

}  // namespace
