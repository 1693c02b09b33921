#include "runner/run_sequence.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "runner/run_messages.h"
#include "runner/runner_test_support.h"

namespace {

using runner::Outcome;
using testing_support::Line;

// The end message once quoted the archiver's usage text, and a name not in UTF-8 blanked it.
TEST(RunSequence, OnlyTheArchiversItemMessagesReachTheEndMessageReadably) {
  const std::string archiver = FALDONE_PROGRAM_DIR "/archivia";
  const std::string long_name(400, 'n');
  const auto report = testing_support::RunAll(
      {Line(1, "/bin/sh -c \"echo 'archivia: impossibile leggere /a/x: Permesso negato' >&2; exit 1\""),
       Line(2, "/bin/sh -c \"for i in 1 2 3 4 5 6 7 8; do echo archivia: riga $i >&2; done; exit 2\""),
       Line(3, "/bin/sh -c \"echo archivia: solo un avviso >&2\""), Line(4, "/no/such/archivia"),
       Line(5, archiver + " -min -a -r -p /tmp/x.ZIP \"/tmp/senza-barra*.*\""),
       Line(6, "/bin/sh -c \"printf 'archivia: illeggibile /a/citt\\340/" + long_name + "\\n' >&2; exit 1\"")});
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

}  // namespace
