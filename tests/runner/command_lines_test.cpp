#include <gtest/gtest.h>

#include "platform/process.h"
#include "runner/archiver_commands.h"

namespace {

using platform::process::SplitCommandLine;
using runner::BackupCommandLine;
using runner::RestoreCommandLine;
using Words = std::vector<std::string>;

TEST(CommandLines, BackupAndRestoreAreWrittenExactly) {
  EXPECT_EQ(BackupCommandLine("/opt/faldone/archivia", "/opt/faldone/1406_1_1.ZIP", "/home/anna/Doc/"),
            "/opt/faldone/archivia -min -a -r -p /opt/faldone/1406_1_1.ZIP \"/home/anna/Doc/*.*\"");
  EXPECT_EQ(RestoreCommandLine("/opt/faldone/archivia", "/opt/faldone/1406_1_1.ZIP", "/"),
            "/opt/faldone/archivia -min -e -o /opt/faldone/1406_1_1.ZIP \"/\"");
  EXPECT_EQ(RestoreCommandLine("/opt/faldone/archivia", "/opt/faldone/1406_1_1.ZIP", "/tmp/"),
            "/opt/faldone/archivia -min -e -o /opt/faldone/1406_1_1.ZIP \"/tmp/\"");
}

TEST(CommandLines, PathsWithBlanksAreQuotedAndSplitBackWhole) {
  const auto line = BackupCommandLine("/home/anna/Programmi utili/archivia",
                                      "/home/anna/Programmi utili/1406_1_1.ZIP",
                                      "/home/anna/Foto di città/");
  ASSERT_TRUE(line);
  EXPECT_EQ(*line,
            "\"/home/anna/Programmi utili/archivia\" -min -a -r -p "
            "\"/home/anna/Programmi utili/1406_1_1.ZIP\" \"/home/anna/Foto di città/*.*\"");
  EXPECT_EQ(SplitCommandLine(*line),
            (Words{"/home/anna/Programmi utili/archivia", "-min", "-a", "-r", "-p",
                   "/home/anna/Programmi utili/1406_1_1.ZIP", "/home/anna/Foto di città/*.*"}));
  // Shell characters stay part of the name.
  const auto odd = BackupCommandLine("/p/archivia", "/p/1406_1_1.ZIP", "/home/$(rm -rf ~); `x` & y/");
  EXPECT_EQ(SplitCommandLine(*odd).back(), "/home/$(rm -rf ~); `x` & y/*.*");
}

TEST(CommandLines, ADoubleQuoteInAnyPathMeansNoCommandLine) {
  EXPECT_FALSE(BackupCommandLine("/p/archivia", "/p/a.ZIP", "/home/anna/\"citazioni\"/"));
  EXPECT_FALSE(BackupCommandLine("/p/archivia", "/p\"q/a.ZIP", "/home/"));
  EXPECT_FALSE(RestoreCommandLine("/p/archivia", "/p/a.ZIP", "/tmp/\"/"));
}

TEST(CommandLines, SplittingFollowsBlanksAndQuotes) {
  EXPECT_EQ(SplitCommandLine("  a   b\tc  "), (Words{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("a \"\" b"), (Words{"a", "", "b"}));
  EXPECT_EQ(SplitCommandLine("a\"b c\"d e"), (Words{"ab cd", "e"}));
  EXPECT_EQ(SplitCommandLine("\"unclosed quote runs to the end"),
            (Words{"unclosed quote runs to the end"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

// "C:\TMP\" written as it stands reaches a Windows program as C:\TMP" plus whatever follows.
TEST(CommandLines, WindowsCommandLinesDoubleTheBackslashesBeforeAQuote) {
  EXPECT_EQ(platform::process::WindowsCommandLine({"C:\\FALDONE\\archivia.exe", "-o", "C:\\TMP\\"}),
            "C:\\FALDONE\\archivia.exe -o C:\\TMP\\");  // no quote after them: as they are
  EXPECT_EQ(platform::process::WindowsCommandLine({"C:\\Program Files\\archivia.exe", "C:\\Foto di città\\"}),
            "\"C:\\Program Files\\archivia.exe\" \"C:\\Foto di città\\\\\"");
  EXPECT_EQ(platform::process::WindowsCommandLine({"p", "", "a\\\"b", "x y"}), "p \"\" \"a\\\\\\\"b\" \"x y\"");
  EXPECT_FALSE(platform::process::WindowsCommandLine({}));
  EXPECT_FALSE(platform::process::WindowsCommandLine({"a\"b.exe"}));  // no name of a program holds one
}

}  // namespace
