#include "runner/run_sequence.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/text.h"
#include "runner/run_messages.h"
#include "support/temp_folder.h"

namespace {

using runner::Job;
using runner::LineResult;
using runner::Outcome;

class RecordingReport : public runner::RunReport {
 public:
  void LineStarting(int position, int count, const Job& job) override {
    started.push_back(std::to_string(position) + "/" + std::to_string(count) + " line " +
                      std::to_string(job.line));
  }
  void RunEnded(const std::vector<LineResult>& r) override {
    ++ends;
    results = r;
  }
  std::vector<std::string> started;
  std::vector<LineResult> results;
  int ends = 0;
};

Job Line(int line, const std::string& command_line, const std::string& refusal = "") {
  return Job{line, "Riga " + std::to_string(line), "/dati/" + std::to_string(line) + "/",
             command_line, refusal};
}

// Steps the run as the window's timer does, without a window.
void RunToTheEnd(runner::RunSequence& run) {
  for (int i = 0; i < 2000 && run.Advance(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// A line starts only when the one before has ended: line 3 finds the mark line 1 leaves last.
TEST(RunSequence, EveryLineRunsInOrderAfterTheOneBeforeAndItsOutcomeIsKept) {
  testing_support::TempFolder folder;
  const std::string mark = folder.path() + "first-done";
  RecordingReport report;
  runner::RunSequence run({Line(1, "/bin/sh -c \"sleep 0.3; touch " + mark + "\""),
                           Line(2, "", "la cartella non è indicata"),
                           Line(3, "/bin/sh -c \"test -e " + mark + " && exit 1; exit 2\""), Line(4, "/no/such/archivia"),
                           Line(5, "/bin/sh -c \"exit 2\"")},
                          report);
  RunToTheEnd(run);
  EXPECT_TRUE(run.finished());
  EXPECT_FALSE(run.Advance());
  EXPECT_EQ(report.ends, 1);
  EXPECT_EQ(report.started, (std::vector<std::string>{"1/5 line 1", "2/5 line 2", "3/5 line 3",
                                                      "4/5 line 4", "5/5 line 5"}));
  ASSERT_EQ(report.results.size(), 5u);
  const Outcome expected[] = {Outcome::Done, Outcome::Refused, Outcome::PartlyDone,
                              Outcome::NotStarted, Outcome::Failed};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(report.results[i].job.line, i + 1);
    EXPECT_EQ(report.results[i].outcome, expected[i]) << "line " << i + 1;
  }
  EXPECT_EQ(report.results[4].exit_code, 2);
}

// The end message once quoted the archiver's usage text, and a file name that was not UTF-8
// blanked the whole message in the toolkit.
TEST(RunSequence, OnlyTheArchiversItemMessagesReachTheEndMessageReadably) {
  const std::string archiver = FALDONE_PROGRAM_DIR "/archivia";
  const std::string long_name(400, 'n');
  RecordingReport report;
  runner::RunSequence run(
      {Line(1, "/bin/sh -c \"echo 'archivia: impossibile leggere /a/x: Permesso negato' >&2; exit 1\""),
       Line(2, "/bin/sh -c \"for i in 1 2 3 4 5 6 7 8; do echo archivia: riga $i >&2; done; exit 2\""),
       Line(3, "/bin/sh -c \"echo archivia: solo un avviso >&2\""), Line(4, "/no/such/archivia"),
       Line(5, archiver + " -min -a -r -p /tmp/x.ZIP \"/tmp/senza-barra*.*\""),
       Line(6, "/bin/sh -c \"printf 'archivia: illeggibile /a/citt\\340/" + long_name + "\\n' >&2; exit 1\"")},
      report);
  RunToTheEnd(run);
  ASSERT_EQ(report.results.size(), 6u);
  EXPECT_EQ(report.results[0].messages,
            (std::vector<std::string>{"archivia: impossibile leggere /a/x: Permesso negato"}));
  EXPECT_EQ(report.results[1].messages.size(), runner::kMessageLinesKept);
  EXPECT_EQ(report.results[4].outcome, Outcome::CommandRefused);
  EXPECT_TRUE(report.results[4].messages.empty());
  ASSERT_EQ(report.results[5].messages.size(), 1u);
  EXPECT_EQ(report.results[5].messages[0].substr(0, 32), "archivia: illeggibile /a/città/");
  EXPECT_EQ(platform::text::CharCount(report.results[5].messages[0]), runner::kMessageCharactersKept + 3);

  const runner::EndText message = EndMessage(runner::RunKind::Backup, report.results);
  EXPECT_EQ(message.headline, "ATTENZIONE: COPIA NON COMPLETA !!!\r\r"
                              "Cartelle non salvate o salvate solo in parte: 5 su 6");
  EXPECT_TRUE(platform::text::IsValidUtf8(message.details));
  EXPECT_NE(message.details.find("(/dati/1/): alcuni file non sono stati salvati\r"
                                 "      archivia: impossibile leggere /a/x: Permesso negato\r"),
            std::string::npos);
  EXPECT_NE(message.details.find("nessun file salvato\r      archivia: riga 1\r      archivia: riga 2\r"
                                 "      archivia: riga 3\r      archivia: riga 4\r      archivia: riga 5\r"
                                 "      ...\r   riga 4  Riga 4"),
            std::string::npos);
  EXPECT_NE(message.details.find("(/dati/4/): impossibile avviare il programma di archiviazione\r"),
            std::string::npos);
  EXPECT_NE(message.details.find("(/dati/5/): il programma di archiviazione ha rifiutato la riga di comando\r"),
            std::string::npos);
  EXPECT_EQ(message.details.find("uso:"), std::string::npos);
  EXPECT_EQ(message.details.find("codice"), std::string::npos);
  EXPECT_EQ(message.details.find("avviso"), std::string::npos);  // a line done needs no explanation
  EXPECT_TRUE(message.details.ends_with("\r\rCartelle salvate:\r   riga 3  Riga 3  (/dati/3/)"));
}

TEST(EndMessage, SuccessIsSaidInTheUsualWordsAndOnlyThen) {
  const LineResult done{Line(1, "x"), Outcome::Done, 0, {}};
  EXPECT_EQ(EndMessage(runner::RunKind::Backup, {done, done}).headline, "COPIA TERMINATA !!!");
  EXPECT_EQ(EndMessage(runner::RunKind::Restore, {done}).headline, "RIPRISTINO TERMINATO !!!");
  EXPECT_EQ(EndMessage(runner::RunKind::Restore, {done}).details, "");
  for (Outcome bad : {Outcome::PartlyDone, Outcome::Failed, Outcome::CommandRefused, Outcome::NotStarted,
                      Outcome::Refused}) {
    const LineResult failed{Line(2, "x", "motivo"), bad, 5, {}};
    EXPECT_EQ(EndMessage(runner::RunKind::Restore, {failed, done, done}).headline,
              "ATTENZIONE: RIPRISTINO NON COMPLETO !!!\r\r"
              "Cartelle non ripristinate o ripristinate solo in parte: 1 su 3");
  }
  // A refusal that names the folder does not name it twice.
  const LineResult windows_path{Job{7, "Documenti", "C:\\DOC\\", "", "la cartella non esiste: C:\\DOC\\"},
                                Outcome::Refused, 0, {}};
  EXPECT_EQ(EndMessage(runner::RunKind::Backup, {windows_path}).details,
            "Cartelle NON salvate o salvate solo in parte:\r"
            "   riga 7  Documenti: la cartella non esiste: C:\\DOC\\\r\r"
            "Cartelle salvate:\r   nessuna");
}

}  // namespace
