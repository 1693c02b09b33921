// The built program as the main program drives it; each row names the fault it guards.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "archive_fixture.h"
#include "archiver/dos_code_page.h"
#include "archiver/utf8_path.h"

namespace {

using namespace archiver_test;
using archiver::ExitCode;
constexpr archiver::UnixMode kFile = archiver::kUnixFile | 0644;
constexpr std::uint8_t kMsDos = 0, kWindows = 10;  // systems in an entry's "version made by"
const std::string kNo = "rifiutata";  // the data of an entry the run must name as refused
#ifdef _WIN32
const std::string kFromLinux = "destinazione/tmp/faldone-interop/";  // where the Linux build's archive lands
#endif

struct FileCheck {
  std::string path;  // below the sandbox
  std::optional<std::string> data = {};
  std::optional<archiver::UnixMode> mode = {};
  archiver::UnixMode mode_bits = 07777;  // those mode is compared on
  std::optional<std::int64_t> mtime = {};
  bool missing = false;
};

struct Case {
  std::string name;
  std::vector<HandMadeEntry> entries = {};        // the archive, made by hand, when there are any
  std::function<void(Sandbox&)> prepare = {};     // anything else, before the run
  std::vector<std::string> command = {};          // after the program; a restore into the target if empty
  int code = 0;
  std::vector<std::string> said = {};             // "@" in these and in the command is the sandbox
  std::optional<std::vector<std::string>> tree = {};  // below the target afterwards
  std::vector<FileCheck> files = {};
  std::function<void(std::string&)> damage = {};  // to the archive's bytes, before prepare
};

void PrintTo(const Case& row, std::ostream* out) { *out << row.name; }

std::string Expand(std::string text, const std::string& root) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, root);
  return text;
}

const std::vector<HandMadeEntry> kThree = {{"primo.txt", std::string(5000, 'x'), kFile},
                                           {"secondo.txt", "il contenuto che verrà rovinato", kFile},
                                           {"terzo.txt", "intatto", kFile}};

// Sets a 4-byte field of the named entry's local and central headers, at those offsets in each.
void SetHeaderField(std::string& bytes, const std::string& name, std::size_t local, std::size_t central,
                    std::uint32_t value) {
  // The name sits 30 bytes into the local header, 46 into the central one.
  for (std::size_t at = bytes.find(name); at != std::string::npos; at = bytes.find(name, at + 1)) {
    const std::size_t field = bytes.compare(at - 30, 4, "PK\3\4") == 0 ? at - 30 + local : at - 46 + central;
    for (int i = 0; i < 4; ++i) bytes[field + i] = static_cast<char>(value >> (8 * i));
  }
}

// Fault guarded: an entry inflating to another size than declared passed, as its CRC matched.
Case WrongSize(const std::string& name, std::uint32_t declared) {
  return {name, {{"compresso.txt", std::string(3000, 'z'), kFile, 3, {}, {}, true}, kThree[2]},
          [](Sandbox& box) { WriteFile(box.target_ + "/compresso.txt", "la copia di ieri"); }, {}, 1,
          {"compresso.txt: dati danneggiati (dimensione errata)"}, {{"compresso.txt", "terzo.txt"}},
          {{"destinazione/compresso.txt", "la copia di ieri"}},
          [declared](std::string& bytes) { SetHeaderField(bytes, "compresso.txt", 22, 24, declared); }};
}

// Fault guarded: a truncated archive was read as far as it went, or crashed the reader.
Case Truncated(const std::string& name, std::function<std::size_t(std::size_t)> kept) {
  return {name, kThree, {}, {}, 2, {"impossibile leggere l'archivio @01020304.ZIP"}, {}, {},
          [kept](std::string& bytes) { bytes.resize(kept(bytes.size())); }};
}

// Fault guarded: an entry in a method libzip cannot read was refused without naming the method.
Case UnreadableMethods() {
  const std::pair<std::uint16_t, std::string> methods[] = {
      {14, "LZMA"}, {9, "Deflate64"}, {93, "Zstandard"}, {95, "XZ"}, {77, "sconosciuto"}};
  std::vector<HandMadeEntry> entries{kThree[2]};
  std::vector<std::string> said;
  for (const auto& [method, name] : methods) {
    entries.push_back({name, "?", {}, 0, {}, {}, false, 0x20, "", method});
    said.push_back("\"" + name + "\": metodo di compressione non supportato: " + name + " (" + std::to_string(method) + ")");
  }
  return {"MethodsWeCannotReadAreNamed", entries, {}, {}, 1, said, {{"terzo.txt"}}};
}

#ifndef _WIN32
// Fault guarded: past the folders kept open, the restore closed the wrong one or lost its way back.
Case SixtyFoldersDown() {
  std::string deep;
  for (int i = 0; i < 60; ++i) deep += std::to_string(i) + "/";
  std::vector<HandMadeEntry> entries;
  std::vector<FileCheck> files;
  for (const std::string& name : {deep + "fondo.txt", deep.substr(0, 107) + "mezzo.txt", deep + "ancora.txt"}) {
    entries.push_back({name, name, kFile});
    files.push_back({"destinazione/" + name, name});
  }
  entries.insert(entries.begin() + 2, HandMadeEntry{"su.txt", "in cima", kFile});
  return {"FilesSixtyFoldersDownAndBackUp", entries, {}, {}, 0, {}, {}, files};
}
#endif

const std::vector<std::string> kBackupOfSource = {"-min", "-a", "-r", "-p", "@01020304.ZIP", "@Documenti di Anna/*.*"};

std::vector<Case> Cases() {
  return {
      // Fault guarded: anything but the two command lines was run as one of them.
      {"BadUsageShowsTheUsage", {}, {}, {"-min", "-x", "a.zip", "b"}, 2, {"uso: archivia"}},
      // Fault guarded: a missing archive was taken for an empty one.
      {"AMissingArchiveIsNothingDone", {}, {}, {}, 2, {"File o directory non esistente"}},
      // Fault guarded: an entry climbed out by ".." or a root ("\" too, if made on Windows).
      {"NamesThatClimbOutAreRefusedAndTheRestExtracted",
       {{"buono.txt", "buono", kFile}, {"../fuori/uno", kNo, kFile}, {"..\\fuori\\tre", kNo, {}, kMsDos},
        {"c:\\fuori\\cinque", kNo, {}, kWindows}, {"/fuori/sette", kNo, kFile}, {"ultimo.txt", "anche questo", kFile}},
       {}, {}, 1, {}, {{"buono.txt", "ultimo.txt"}}, {{"destinazione/ultimo.txt", "anche questo"}}},
      // Fault guarded: an entry failing its CRC replaced the good copy or stopped those after it.
      {"ABadCrcFailsThatFileOnlyAndKeepsTheOldCopy",
       {kThree[0], {"secondo.txt", "da rovinare", kFile, 3, {}, {}, true}, kThree[2]},
       [](Sandbox& box) { WriteFile(box.target_ + "/secondo.txt", "la copia di ieri"); }, {}, 1,
       {"secondo.txt: dati danneggiati (CRC errato)"}, {{"primo.txt", "secondo.txt", "terzo.txt"}},
       {{"destinazione/secondo.txt", "la copia di ieri"}, {"destinazione/terzo.txt", "intatto"}},
       [](std::string& bytes) { SetHeaderField(bytes, "secondo.txt", 14, 16, Crc32("da rovinare") ^ 1); }},
      // Fault guarded: a file that could not take its name (a folder has it) counted as restored or left its
      // temporary copy behind.
      {"AFileWhoseNameAFolderHoldsFailsAlone", kThree,
       [](Sandbox& box) { WriteFile(box.target_ + "/secondo.txt/dentro", "resta"); }, {}, 1,
       {"impossibile scrivere @destinazione", "secondo.txt: "}, {{"primo.txt", "secondo.txt/", "secondo.txt/dentro", "terzo.txt"}}},
      WrongSize("ASizeOneShortFails", 2999), WrongSize("ASizeOneOverFails", 3001), WrongSize("ASizeOfNothingFails", 0),
      UnreadableMethods(),
      Truncated("ArchiveWithoutItsLastBytes", [](std::size_t size) { return size - 10; }),
      Truncated("HalfAnArchive", [](std::size_t size) { return size / 2; }),
      Truncated("ThreeBytes", [](std::size_t) { return 3; }), Truncated("AnEmptyFile", [](std::size_t) { return 0; }),
      // Fault guarded: a target that could not be made was reported entry by entry.
      {"ATargetThatCannotBeMadeIsNothingDone", kThree, [](Sandbox& box) { WriteFile(box.root_ + "un file", "no"); },
       {"-min", "-e", "-o", "@01020304.ZIP", "@un file/sotto"}, 2, {"impossibile creare la cartella di destinazione"}},
      // Fault guarded: a backup of a missing folder wrote an empty archive.
      {"ABackupOfAMissingFolderIsNothingDone", {}, {}, kBackupOfSource, 2,
       {"Documenti di Anna: File o directory non esistente"}, {}, {{"01020304.ZIP", {}, {}, 07777, {}, true}}},
      // Fault guarded: an archive that could not be written was reported as done.
      {"AnArchiveThatCannotBeCreatedIsNothingDone", {}, [](Sandbox& box) { WriteFile(box.source_ + "/a.txt", "a"); },
       {"-min", "-a", "-r", "-p", "@manca/01020304.ZIP", "@Documenti di Anna/*.*"}, 2, {"impossibile scrivere l'archivio"}},
      // Fault guarded: a file that is no ZIP archive was overwritten by the backup.
      {"AnArchiveThatIsNoZipIsLeftAlone", {},
       [](Sandbox& box) {
         WriteFile(box.source_ + "/a.txt", "a");
         WriteFile(box.archive_, "non è un archivio ZIP, ma resta com'è");
       },
       kBackupOfSource, 2, {"non è un archivio ZIP"}, {}, {{"01020304.ZIP", "non è un archivio ZIP, ma resta com'è"}}},
#ifdef _WIN32
      // Fault guarded: names harmless on Linux reached a stream, a device or the folder above.
      {"EntriesNamedTheWindowsWayStayInTheTarget",
       {{"C:x", kNo, {}, kWindows}, {"..\\fuori\\uno.txt", kNo, {}, kWindows}, {"buono.txt:nascosto", kNo, {}, kWindows},
        {"CON", kNo, {}, kWindows}, {"..\\fatto su Unix", kNo, kFile}, {"cartella\\buono.txt", "resta", {}, kWindows}},
       {}, {}, 1, {}, {{"cartella/", "cartella/buono.txt"}}, {{"destinazione/cartella/buono.txt", "resta"}}},
      // Fault guarded: archives of the Linux build lost their times and read-only files on Windows.
      {"AnArchiveMadeOnLinuxRestoresWithItsTimes", {}, {},
       {"-min", "-e", "-o", FALDONE_SOURCE_DIR "\\tests\\archiver\\data\\made_on_linux.zip", "@destinazione"}, 0, {},
       {{"tmp/", "tmp/faldone-interop/", "tmp/faldone-interop/documenti/", "tmp/faldone-interop/documenti/lettera.txt",
         "tmp/faldone-interop/documenti/sola lettura.txt", "tmp/faldone-interop/documenti/vuota/",
         "tmp/faldone-interop/perché.txt"}},
       {{kFromLinux + "documenti/lettera.txt", "Cara Anna,\nti scrivo da Forlì.\n", 0200, 0200, 1'700'000'000},
        {kFromLinux + "documenti/sola lettura.txt", {}, 0, 0222, 1'600'000'000},
        {kFromLinux + "perché.txt", "perché no?\n", {}, 0, 1'500'000'000},
        {kFromLinux + "documenti/vuota", {}, {}, 0, 1'400'000'000}, {kFromLinux + "documenti", {}, {}, 0, 1'300'000'000}}},
#else
      SixtyFoldersDown(),
      // Fault guarded: devices and FIFOs were made, and setuid or sticky bits restored.
      {"DevicesAreRefusedAndSpecialBitsDropped",
       {{"dispositivo", "", 0020666}, {"coda", "", 0010666},  // a character device, a FIFO
        {"programma", "#!/bin/sh\n", archiver::kUnixFile | 06755}, {"condivisa/", "", archiver::kUnixFolder | 01777}},
       {}, {}, 1, {"\"dispositivo\"", "\"coda\""}, {{"condivisa/", "programma"}},
       {{"destinazione/programma", {}, 0755}, {"destinazione/condivisa", {}, 0777}}},
      // Fault guarded: Linux names "..\x" and "a\b" never restored; Windows "a\b" was not a folder.
      {"BackslashSeparatesFoldersOnlyInNamesMadeOnWindows",
       {{"casa/..\\x", "punti e barra", kFile}, {"casa/a\\b", "barra rovescia", archiver::kUnixFile | 0600},
        {"\\iniziale", "all'inizio", kFile}, {"documenti\\lettera.txt", "da Windows", {}, kWindows}},
       {}, {}, 0, {}, {{"\\iniziale", "casa/", "casa/..\\x", "casa/a\\b", "documenti/", "documenti/lettera.txt"}},
       {{"destinazione/casa/..\\x", "punti e barra"}, {"destinazione/casa/a\\b", {}, 0600},
        {"destinazione/documenti/lettera.txt", "da Windows"}}},
      // Fault guarded: files went through a link of the archive (before or after it) or of the target.
      {"NothingIsWrittenThroughALinkOfTheArchiveOrOfTheTarget",
       {{"prima/passaggio", "../../fuori", archiver::kUnixLink | 0777}, {"prima/passaggio/uno", kNo, kFile},
        {"dopo/passaggio/due", kNo, kFile}, {"dopo/passaggio", "../../fuori", archiver::kUnixLink | 0777},
        {"dopo/passaggio/sotto/", "", archiver::kUnixFolder | 0755}, {"casa/scorciatoia/tre", "attraverso", kFile},
        {"tutto/", "", archiver::kUnixFolder | 0755}, {"tutto/quattro", "attraverso", kFile},
        {"casa/buono.txt", "buono", kFile}},
       [](Sandbox& box) {
         std::filesystem::create_directories(box.target_ + "/casa");
         std::filesystem::create_directory_symlink("../../fuori", box.target_ + "/casa/scorciatoia");
         std::filesystem::create_directory_symlink("../fuori", box.target_ + "/tutto");
       },
       {}, 1, {"collegamento simbolico @destinazione/casa/scorciatoia"},
       {{"casa/", "casa/buono.txt", "casa/scorciatoia", "dopo/", "dopo/passaggio", "prima/", "prima/passaggio", "tutto"}},
       {{"destinazione/casa/buono.txt", "buono"}}},
      // Fault guarded: existing folders lost sticky or setgid bits or were opened up; new ones kept setgid.
      {"FoldersThatAlreadyExistKeepTheirModes",
       {{"condivisa/", "", archiver::kUnixFolder | 01777}, {"condivisa/a.txt", "a", kFile},
        {"gruppo/", "", archiver::kUnixFolder | 0775}, {"gruppo/nuova/", "", archiver::kUnixFolder | 03775},
        {"gruppo/nuova/b.txt", "b", kFile}, {"privata/", "", archiver::kUnixFolder | 0777}, {"privata/c.txt", "c", kFile}},
       [](Sandbox& box) {
         for (const auto& [name, mode] : {std::pair{"condivisa", 01777}, {"gruppo", 02775}, {"privata", 0700}}) {
           std::filesystem::create_directories(box.target_ + "/" + name);
           std::filesystem::permissions(box.target_ + "/" + name, std::filesystem::perms(mode));
         }
       },
       {}, 0, {}, {},
       {{"destinazione/condivisa", {}, 01777}, {"destinazione/gruppo", {}, 02775}, {"destinazione/privata", {}, 0700},
        {"destinazione/gruppo/nuova", {}, 0775}, {"destinazione/gruppo/nuova/b.txt", "b"}, {"destinazione/privata/c.txt", "c"}}},
      // Fault guarded: a Windows tool's read-only flag, which has no Unix mode beside it, was lost.
      {"TheReadOnlyFlagOfWindowsToolsTakesTheWritePermissionsAway",
       {{"documenti\\sola lettura.txt", "non toccare", {}, kWindows, {}, {}, false, 0x21},
        {"documenti\\lettera.txt", "cara Anna", {}, kWindows, {}, {}, false, 0x20}},
       {}, {}, 0, {}, {},
       {{"destinazione/documenti/sola lettura.txt", "non toccare", 0, 0222}, {"destinazione/documenti/lettera.txt", {}, 0200, 0200}}},
      // Fault guarded: other tools' unsigned times after 2038 came back as 1901, or ours before 1970 as 2106.
      {"TimesAfter2038FromOtherToolsAreNotReadAs1901",
       {{"2040.txt", "", kFile, 3, 2'208'988'800, 2'208'988'800u}, {"2106.txt", "", kFile, 3, 4'294'967'294, 4'294'967'294u},
        {"1969.txt", "", kFile, 3, -86'400, static_cast<std::uint32_t>(-86'400)}},
       {}, {}, 0, {}, {},
       {{"destinazione/2040.txt", {}, {}, 07777, 2'208'988'800}, {"destinazione/2106.txt", {}, {}, 07777, 4'294'967'294},
        {"destinazione/1969.txt", {}, {}, 07777, -86'400}}},
#endif
  };
}

class Contract : public Sandbox, public ::testing::WithParamInterface<Case> {};

TEST_P(Contract, EndsAsTheTableSays) {
  const Case& row = GetParam();
  if (!row.entries.empty()) WriteHandMadeArchive(archive_, row.entries);
  if (row.damage) {
    std::string bytes = ReadFile(archive_);
    row.damage(bytes);
    WriteFile(archive_, bytes);
  }
  if (row.prepare) row.prepare(*this);
  std::vector<std::string> command = RestoreCommand(archive_, target_);
  if (!row.command.empty()) command.resize(1);
  for (const std::string& argument : row.command) command.push_back(Expand(argument, root_));
  const ProcessResult run = RunProgram(command);
  EXPECT_EQ(run.exit_code, row.code) << run.output;
  for (const HandMadeEntry& entry : row.entries)
    if (entry.data == kNo) { EXPECT_THAT(run.output, HasSubstr("voce rifiutata \"" + entry.name + "\"")); }
  for (const std::string& part : row.said) { EXPECT_THAT(run.output, HasSubstr(Expand(part, root_))); }
  if (row.tree) { EXPECT_EQ(ListTree(target_), *row.tree); }  // and no temporary file left
  for (const FileCheck& file : row.files) {
    const std::string path = root_ + file.path;
    EXPECT_EQ(Exists(path), !file.missing) << file.path;
    if (file.data) { EXPECT_EQ(ReadFile(path), *file.data) << file.path; }
    if (file.mode) { EXPECT_EQ(Permissions(path) & file.mode_bits, *file.mode) << file.path; }
    if (file.mtime) { EXPECT_EQ(Mtime(path), *file.mtime) << file.path; }
  }
}

INSTANTIATE_TEST_SUITE_P(Archivia, Contract, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

// Fault guarded: a file the target already held exactly was written again; one differing only in
// its bytes (same size, time and mode), its mode or its time was left so; an earlier entry of the
// same name took the name after the later one had found it right.
TEST_F(Sandbox, ARestoreOverAnExactCopyLeavesItAndMendsWhatDiffers) {
  WriteHandMadeArchive(archive_, {{"uguale.txt", "uguale", kFile, 3, {}, {}, true}, {"byte.txt", "un byte", kFile},
                                  {"modo.txt", "modo", kFile}, {"ora.txt", "ora", kFile}, {"doppio.txt", "prima", kFile},
                                  {"doppio.txt", "dopo", kFile}});
  ASSERT_EQ(Restore(archive_, target_).code, ExitCode::kDone);
  const std::int64_t mtime = Mtime(target_ + "/byte.txt");
  WriteFile(target_ + "/byte.txt", "un Byte");
  SetMtime(target_ + "/byte.txt", mtime);
  std::filesystem::permissions(target_ + "/modo.txt", std::filesystem::perms(0444));
  SetMtime(target_ + "/ora.txt", mtime + 2);
  const std::uint64_t identity = FileIdentity(target_ + "/uguale.txt");
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  EXPECT_EQ(FileIdentity(target_ + "/uguale.txt"), identity);
  for (const auto& [name, data] : {std::pair{"byte.txt", "un byte"}, {"modo.txt", "modo"}, {"ora.txt", "ora"},
                                   {"doppio.txt", "dopo"}}) {
    EXPECT_EQ(ReadFile(target_ + "/" + name), data);
    EXPECT_EQ(Permissions(target_ + "/" + name), Permissions(target_ + "/uguale.txt")) << name;
    EXPECT_EQ(Mtime(target_ + "/" + name), mtime) << name;
  }
}

// A byte no check covers (a time, a name) may pass, but never with wrong data.
TEST_F(Sandbox, EveryFlippedByteEndsInAnExitCodeAndNeverInWrongData) {
  WriteHandMadeArchive(archive_, kThree);
  const std::string good = ReadFile(archive_);
  const std::set<std::string> contents = {kThree[0].data, kThree[1].data, kThree[2].data};
  for (std::size_t at = 0; at < good.size(); at += 13) {
    std::string damaged = good;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
    WriteFile(archive_, damaged);
    std::filesystem::remove_all(archiver::PathFromUtf8(target_));
    if (Restore(archive_, target_).code != ExitCode::kDone) continue;
    for (const std::string& path : ListTree(target_))
      if (path.back() != '/') { EXPECT_EQ(contents.count(ReadFile(target_ + "/" + path)), 1u) << "byte " << at << ", " << path; }
  }
}

// Fault guarded: code page names, NTFS and old Unix times, Unicode Path fields, read-only bits lost;
// an update kept a file under two spellings (È is 0xD4 in code page 850, no letter in 437).
TEST_F(Sandbox, AWindowsArchiversBackupComesBackWholeAndAnUpdateKeepsOneEntryPerFile) {
  const std::filesystem::path source = archiver::PathFromUtf8(source_);
  const std::string folder = archiver::Utf8Of(source.relative_path().generic_u8string()) + "/";
  // Months away from the MS-DOS time, whatever the zone; one with a fraction of a second.
  const archiver::ModificationTime june{1'055'700'000, 1'234'567}, winter{1'072'000'000, 0};
  const std::string ntfs_winter = Field(0x000a, NtfsTimesData(winter));
  const std::string unmapped = folder + "prezzi in ?.txt";  // the euro sign has no DOS byte
  std::vector<HandMadeEntry> entries{
      {folder + "Citt\x85/", "", {}, kWindows, {}, {}, false, 0x10, ntfs_winter},
      {folder + "Citt\x85\\perch\x82 no.doc", "lettera", {}, kMsDos, {}, {}, false, 0x21, Field(0x000a, NtfsTimesData(june))},
      {unmapped, "10 euro", {}, kWindows, {}, {}, false, 0x20,
       ntfs_winter + Field(0x7075, "\1" + Little(Crc32(unmapped), 4) + folder + "prezzi in €.txt")},
      {folder + "caff\x8A.txt", "amaro", {}, kWindows, {}, {}, false, 0x20,  // old Unix times: access, modification
       Field(0x5855, Little(0, 4) + Little(1'080'000'000, 4)) + Field(0x7075, "\1\1\1\1\1" + folder + "sbagliato.txt")}};
  std::vector<std::string> tree = {"Città/", "Città/perché no.doc", "caffè.txt", "prezzi in €.txt"};
#ifndef _WIN32  // Windows reads names in its own OEM code page
  EXPECT_EQ(archiver::Utf8FromDosCodePage("\x85\x8A\x82\x8D\x95\x97\xB7\xD4\x90\xDE\xE3\xEB"), "àèéìòùÀÈÉÌÒÙ");
  entries.push_back({folder + "\xD4 tutto.txt", "vecchio", {}, kMsDos, {}, {}, false, 0x20});
  entries.push_back({folder + "unix\x82", "", {}, 3, {}, {}, false, 0x20});  // made on Unix, it keeps its bytes
  tree.insert(tree.end(), {"unix\x82", "È tutto.txt"});
#endif
  WriteHandMadeArchive(archive_, entries);
  const ProcessResult restore = RunProgram(RestoreCommand(archive_, archiver::Utf8Of(source.root_path())));
  ASSERT_EQ(restore.exit_code, 0) << restore.output;  // back where it came from
  EXPECT_EQ(ListTree(source_), tree);
  const struct {
    std::string name, data;
    archiver::ModificationTime mtime;
    bool read_only;
  } files[] = {{"Città/perché no.doc", "lettera", june, true},
               {"prezzi in €.txt", "10 euro", winter, false},
               {"caffè.txt", "amaro", {1'080'000'000, 0}, false}};
  for (const auto& file : files) {
    const std::string path = source_ + "/" + file.name;
    EXPECT_EQ(ReadFile(path), file.data) << file.name;
    const archiver::ModificationTime mtime = ExactMtime(path);
    EXPECT_EQ(std::pair(mtime.seconds, mtime.ticks), std::pair(file.mtime.seconds, file.mtime.ticks)) << file.name;
    EXPECT_EQ((Permissions(path) & 0222) == 0, file.read_only) << file.name;
  }
  EXPECT_EQ(Mtime(source_ + "/Città"), 1'072'000'000);

  WriteFile(source_ + "/È tutto.txt", "nuovo");
  WriteFile(source_ + "/caffè.txt", "dolce");
  const std::filesystem::path gone = archiver::PathFromUtf8(source_ + "/Città/perché no.doc");  // its old entry stays
  std::filesystem::permissions(gone, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  std::filesystem::remove(gone);
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  const std::vector<std::string> names = EntryNames(archive_);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << testing::PrintToString(names);
  EXPECT_TRUE(std::ranges::any_of(names, [](const std::string& name) { return name.ends_with(" no.doc"); }));
}

}  // namespace
