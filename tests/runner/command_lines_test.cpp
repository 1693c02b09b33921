#include <gtest/gtest.h>

#include "platform/process.h"
#include "runner/archiver_commands.h"

namespace {

using platform::process::SplitCommandLine;
using platform::process::WindowsCommandLine;
using runner::BackupCommandLine;
using runner::RestoreCommandLine;
using Words = std::vector<std::string>;

struct LineCase {
  const char* fault;
  std::optional<std::string> line, expected;  // as written; nullopt: no command line
};
void PrintTo(const LineCase& c, std::ostream* out) { *out << c.fault; }
class CommandLines : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLines, AreWrittenExactly) { EXPECT_EQ(GetParam().line, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Faults, CommandLines,
    testing::Values(
        LineCase{"BackupWords", BackupCommandLine("/opt/faldone/archivia", "/opt/faldone/1406_1_1.ZIP", "/home/anna/Doc/"),
                 "/opt/faldone/archivia -min -a -r -p /opt/faldone/1406_1_1.ZIP \"/home/anna/Doc/*.*\""},
        LineCase{"RestoreToTheRoot", RestoreCommandLine("/opt/faldone/archivia", "/opt/faldone/1406_1_1.ZIP", "/"),
                 "/opt/faldone/archivia -min -e -o /opt/faldone/1406_1_1.ZIP \"/\""},
        LineCase{"BlanksNotQuoted",
                 BackupCommandLine("/home/anna/Programmi utili/archivia", "/home/anna/Programmi utili/1406_1_1.ZIP",
                                   "/home/anna/Foto di città/"),
                 "\"/home/anna/Programmi utili/archivia\" -min -a -r -p "
                 "\"/home/anna/Programmi utili/1406_1_1.ZIP\" \"/home/anna/Foto di città/*.*\""},
        LineCase{"QuoteInTheFolder", BackupCommandLine("/p/archivia", "/p/a.ZIP", "/home/anna/\"citazioni\"/"), {}},
        LineCase{"QuoteInTheArchive", BackupCommandLine("/p/archivia", "/p\"q/a.ZIP", "/home/"), {}},
        LineCase{"QuoteInTheTarget", RestoreCommandLine("/p/archivia", "/p/a.ZIP", "/tmp/\"/"), {}},
        // "C:\TMP\" written as it stands reaches a Windows program as C:\TMP" and what follows.
        LineCase{"BackslashesWithoutQuoteChanged", WindowsCommandLine({"C:\\FALDONE\\archivia.exe", "-o", "C:\\TMP\\"}),
                 "C:\\FALDONE\\archivia.exe -o C:\\TMP\\"},
        LineCase{"BackslashesBeforeAQuoteNotDoubled",
                 WindowsCommandLine({"C:\\Program Files\\archivia.exe", "C:\\Foto di città\\"}),
                 "\"C:\\Program Files\\archivia.exe\" \"C:\\Foto di città\\\\\""},
        LineCase{"EmptyOrQuotedArgumentLost", WindowsCommandLine({"p", "", "a\\\"b", "x y"}),
                 "p \"\" \"a\\\\\\\"b\" \"x y\""},
        LineCase{"NoProgram", WindowsCommandLine({}), {}},
        LineCase{"QuoteInTheProgram", WindowsCommandLine({"a\"b.exe"}), {}}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.fault); });

TEST(CommandLines, SplittingFollowsBlanksAndQuotes) {
  EXPECT_EQ(SplitCommandLine("  a   b\tc  "), (Words{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("a \"\" b"), (Words{"a", "", "b"}));
  EXPECT_EQ(SplitCommandLine("a\"b c\"d e"), (Words{"ab cd", "e"}));
  EXPECT_EQ(SplitCommandLine("\"unclosed quote runs to the end"), (Words{"unclosed quote runs to the end"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

}  // namespace
