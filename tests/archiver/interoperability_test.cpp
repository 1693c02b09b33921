// Our archives read in Info-ZIP's unzip and in Python; Info-ZIP's archives read in ours.

#include <gtest/gtest.h>

#include "archive_fixture.h"
#include "linux/started_program.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;

TEST_F(Sandbox, InfoZipAndPythonReadOurArchiveWhole) {
  if (!ToolExists("unzip") || !ToolExists("python3")) GTEST_SKIP() << "unzip or python3 is not installed";
  MakeTree();
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  const auto tested = RunProgram({"unzip", "-t", archive_});
  EXPECT_EQ(tested.exit_code, 0) << tested.output;
  EXPECT_TRUE(Contains(tested.output, "No errors detected")) << tested.output;
  const auto extracted = RunProgram({"unzip", "-q", archive_, "-d", target_});
  ASSERT_EQ(extracted.exit_code, 0) << extracted.output;
  ExpectSameTree(source_, target_ + source_, false);  // times from the extended timestamp; unzip leaves links' own

  const std::string script =
      "import sys, zipfile\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "assert z.testzip() is None\n"
      "for i in z.infolist():\n"
      "    print(i.filename, oct(i.external_attr >> 16), len(z.read(i)))\n";
  const auto run = RunProgram({"python3", "-c", script, archive_});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const std::string prefix = source_.substr(1) + "/";
  for (const std::string line : {"lettera à Zoë.txt 0o100644 44\n", "script.sh 0o100755 20\n", "foto.jpg 0o100644 300000\n",
                                 "vuota/ 0o40755 0\n", "collegamento 0o120777 19\n", "privata/ 0o40750 0\n"})
    EXPECT_TRUE(Contains(run.output, prefix + line)) << line << run.output;
}

// Fault guarded besides: other tools' unsigned times after January 2038 came back as 1901.
TEST_F(Sandbox, WeExtractWhatInfoZipArchived) {
  if (!ToolExists("zip")) GTEST_SKIP() << "zip is not installed";
  MakeTree();
  SetMtime(source_ + "/foto.jpg", 2'208'988'800);
  // -y keeps links as links.
  const auto zipped = RunProgram({"sh", "-c", "cd \"$0\" && zip -q -r -y \"$1\" \"Documenti di Anna\"", root_, archive_});
  ASSERT_EQ(zipped.exit_code, 0) << zipped.output;
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  ExpectSameTree(source_, target_ + "/Documenti di Anna");
}

}  // namespace
