#include "runner/run_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/paths.h"
#include "platform/text.h"
#include "runner/archiver_commands.h"
#include "runner/run_messages.h"
#include "runner/runner_test_support.h"
#include "support/fake_archiver.h"
#include "support/temp_folder.h"

namespace {

using runner::Job;
using runner::LineResult;
using runner::Outcome;
using testing_support::Line;
using testing_support::FakeArchiverSteps;
using testing_support::RunAll;

// A line starts only when the one before has ended: line 3 finds the mark line 1 leaves last.
TEST(RunSequence, EveryLineRunsInOrderAfterTheOneBeforeAndItsOutcomeIsKept) {
  testing_support::TempFolder folder;
  const std::string mark = "\"" + folder.path() + "first-done\"";
  const auto report = RunAll({Line(1, FakeArchiverSteps("sleep 300 touch " + mark)),
                           Line(2, "", "la cartella non è indicata"),
                           Line(3, FakeArchiverSteps("exit-if-exists " + mark + " 1 exit 2")),
                           Line(4, "\"" + folder.path() + "manca\""), Line(5, FakeArchiverSteps("exit 2")),
                           Line(6, FakeArchiverSteps("say \"archivia: illeggibile a: Accesso negato\" say altro exit 1"))});
  EXPECT_EQ(report.started, (std::vector<std::string>{"1/6 line 1", "2/6 line 2", "3/6 line 3",
                                                      "4/6 line 4", "5/6 line 5", "6/6 line 6"}));
  ASSERT_EQ(report.results.size(), 6u);
  const Outcome expected[] = {Outcome::Done, Outcome::Refused, Outcome::PartlyDone,
                              Outcome::NotStarted, Outcome::Failed, Outcome::PartlyDone};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(report.results[i].outcome, expected[i]) << "line " << i + 1;
  EXPECT_EQ(report.results[4].exit_code, 2);
  // Only the archiver's own messages, each a whole line without its line end (CR LF on Windows).
  EXPECT_EQ(report.results[5].messages, (std::vector<std::string>{"archivia: illeggibile a: Accesso negato"}));
}

// Garbage and repeated figures change nothing; a flood never blocks the child.
TEST(RunSequence, OnlyGoodProgressLinesReachTheReportAsTheyCome) {
  const auto report = RunAll({Line(1, FakeArchiverSteps("out \"avanzamento 0 2 0 300\" out \"avanzamento 1 2 x 300\""
                                                     " flood 1000000 out \"\" out \"avanzamento 1 2 100 300\" sleep 300"
                                                     " out \"avanzamento 2 2 300 300\" sleep 100"
                                                     " out \"avanzamento 2 2 300 300\" out \"avanzamento 3 2 300 300\"")),
                           Line(2, FakeArchiverSteps("sleep 100 exit 0"))});
  EXPECT_EQ(report.progress, (std::vector<std::string>{"1: 0 di 2 file, 0 di 300 byte",
                                                       "1: 1 di 2 file, 100 di 300 byte",
                                                       "1: 2 di 2 file, 300 di 300 byte"}));
  EXPECT_EQ(report.results[0].outcome, Outcome::Done);
}

// The archiver's own lines, on both systems, are the ones the banner reads.
TEST(RunSequence, TheArchiverTellsABackupAndARestoreUpToTheirTotals) {
  using platform::paths::kSeparator;
  testing_support::TempFolder folder;
  folder.Write("cartella/a.txt", "12345");
  folder.Write("cartella/sotto/b.txt", std::string(2000, 'b'));
  const std::string archiver = std::string(FALDONE_PROGRAM_DIR) + kSeparator + "archivia" FALDONE_EXE_SUFFIX;
  const std::string archive = folder.path() + "0101_1_1.ZIP";
  const auto report = RunAll({Line(1, *runner::BackupCommandLine(archiver, archive, folder.path() + "cartella" + kSeparator)),
                           Line(2, *runner::RestoreCommandLine(archiver, archive, folder.path() + "copia" + kSeparator))});
  ASSERT_EQ(report.results.size(), 2u);
  for (const LineResult& result : report.results) EXPECT_EQ(result.outcome, Outcome::Done) << result.job.line;
  ASSERT_FALSE(report.progress.empty());
  EXPECT_NE(std::find(report.progress.begin(), report.progress.end(), "1: 2 di 2 file, 2,0 di 2,0 KB"),
            report.progress.end());
  EXPECT_EQ(report.progress.back(), "2: 2 di 2 file, 2,0 di 2,0 KB");
}

// Every line not done, once, with its reason and the archiver's words; a line done needs none.
TEST(EndMessage, SuccessIsSaidOnlyWhenAllIsDoneElseEveryOtherLineWithItsReason) {
  const LineResult done{Line(1, "x"), Outcome::Done, 0, {"archivia: solo un avviso"}};
  EXPECT_EQ(EndMessage(runner::RunKind::Backup, {done, done}).headline, "COPIA TERMINATA !!!");
  EXPECT_EQ(EndMessage(runner::RunKind::Restore, {done}).headline, "RIPRISTINO TERMINATO !!!");
  EXPECT_EQ(EndMessage(runner::RunKind::Restore, {done}).details, "");
  const std::vector<std::string> many = {"a: 1", "a: 2", "a: 3", "a: 4", "a: 5", "a: 6"};
  const runner::EndText text = EndMessage(
      runner::RunKind::Restore,
      {{Line(2, "x"), Outcome::PartlyDone, 1, {"archivia: illeggibile /a/x"}},
       {Line(3, "x"), Outcome::Failed, runner::kArchiverNothingDone, many},
       {Line(4, "x"), Outcome::Failed, 7, {}},
       {Line(5, "x"), Outcome::CommandRefused, 1, {}},
       {Line(6, "x"), Outcome::NotStarted, 0, {}},
       {Job{7, "Documenti", "C:\\DOC\\", "", "la cartella non esiste: C:\\DOC\\"}, Outcome::Refused, 0, {}},
       done});
  EXPECT_EQ(text.headline, "ATTENZIONE: RIPRISTINO NON COMPLETO !!!\r\r"
                           "Cartelle non ripristinate o ripristinate solo in parte: 6 su 7");
  // A refusal that names the folder does not name it twice.
  EXPECT_EQ(text.details,
            "Cartelle NON ripristinate o ripristinate solo in parte:\r"
            "   riga 2  Riga 2  (/dati/2/): alcuni file non sono stati ripristinati\r      archivia: illeggibile /a/x\r"
            "   riga 3  Riga 3  (/dati/3/): nessun file ripristinato\r      a: 1\r      a: 2\r      a: 3\r"
            "      a: 4\r      a: 5\r      ...\r"
            "   riga 4  Riga 4  (/dati/4/): il programma di archiviazione si è interrotto (codice 7)\r"
            "   riga 5  Riga 5  (/dati/5/): il programma di archiviazione ha rifiutato la riga di comando\r"
            "   riga 6  Riga 6  (/dati/6/): impossibile avviare il programma di archiviazione\r"
            "   riga 7  Documenti: la cartella non esiste: C:\\DOC\\\r\r"
            "Cartelle ripristinate:\r   riga 1  Riga 1  (/dati/1/)");
  EXPECT_TRUE(EndMessage(runner::RunKind::Restore, {{Line(2, "x"), Outcome::Refused, 0, {}}})
                  .details.ends_with("\r\rCartelle ripristinate:\r   nessuna"));
}

#ifndef _WIN32
// The end message once quoted the archiver's usage text, and a name not in UTF-8 blanked it.
TEST(RunSequence, OnlyTheArchiversItemMessagesAreKeptAndReadable) {
  const std::string archiver = FALDONE_PROGRAM_DIR "/archivia";
  const std::string long_name(400, 'n');
  const auto report = RunAll(
      {Line(1, "/bin/sh -c \"for i in 1 2 3 4 5 6 7 8; do echo archivia: riga $i >&2; done; exit 2\""),
       Line(2, archiver + " -min -a -r -p /tmp/x.ZIP \"/tmp/senza-barra*.*\""),
       Line(3, "/bin/sh -c \"printf 'archivia: illeggibile /a/citt\\340/" + long_name + "\\n' >&2; exit 1\"")});
  ASSERT_EQ(report.results.size(), 3u);
  EXPECT_EQ(report.results[0].messages.size(), runner::kMessageLinesKept);
  EXPECT_EQ(report.results[1].outcome, Outcome::CommandRefused);
  EXPECT_TRUE(report.results[1].messages.empty());
  ASSERT_EQ(report.results[2].messages.size(), 1u);
  EXPECT_EQ(report.results[2].messages[0].substr(0, 32), "archivia: illeggibile /a/città/");
  EXPECT_EQ(platform::text::CharCount(report.results[2].messages[0]), runner::kMessageCharactersKept + 3);
  EXPECT_TRUE(platform::text::IsValidUtf8(report.results[2].messages[0]));
}
#endif

}  // namespace
