#include "archive_fixture.h"

#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "archiver/archive_leftovers.h"
#include "archiver/backup.h"
#include "archiver/entry_name.h"
#include "archiver/messages.h"
#include "archiver/restore.h"
#include "archiver/utf8_path.h"

namespace archiver_test {

namespace fs = std::filesystem;

template <auto kRun>
Run Told(const std::string& archive, const std::string& path) {
  std::ostringstream out;
  archiver::Messages messages(out);
  return {kRun(archive, path, messages), out.str()};  // in this order
}

Run Backup(const std::string& archive, const std::string& folder) { return Told<archiver::Backup>(archive, folder); }
Run Restore(const std::string& archive, const std::string& target) { return Told<archiver::Restore>(archive, target); }

std::vector<std::string> BackupCommand(const std::string& archive, const std::string& folder,
                                       const std::string& program) {
  return {program, "-min", "-a", "-r", "-p", archive, folder + "/*.*"};
}

std::vector<std::string> RestoreCommand(const std::string& archive, const std::string& target) {
  return {ArchiviaPath(), "-min", "-e", "-o", archive, target};
}

std::vector<std::string> Leftovers(const std::string& archive) {
  const fs::path path = archiver::PathFromUtf8(archive);
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(path.parent_path()))
    if (archiver::IsLeftoverName(archiver::Utf8Of(entry.path().filename()), archiver::Utf8Of(path.filename())))
      found.push_back(archiver::Utf8Of(entry.path()));
  return found;
}

std::string ArchiviaPath() {
  return archiver::Utf8Of(archiver::PathFromUtf8(FALDONE_PROGRAM_DIR) / ("archivia" FALDONE_EXE_SUFFIX));
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(archiver::PathFromUtf8(path).parent_path());
  std::ofstream out(archiver::PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(archiver::PathFromUtf8(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> ListTree(const std::string& folder) {
  std::vector<std::string> paths;
  fs::path base = archiver::PathFromUtf8(folder);
  if (!base.has_filename()) base = base.parent_path();
  for (const auto& entry : fs::recursive_directory_iterator(base)) {
    // Lexically: a link must show as itself, not as the place it leads to.
    const std::u8string generic = entry.path().lexically_relative(base).generic_u8string();
    std::string relative(generic.begin(), generic.end());
    if (entry.is_directory() && !entry.is_symlink()) relative += '/';
    paths.push_back(relative);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string CompressibleText(std::size_t size, int seed) {
  std::string text;
  for (int i = 0; text.size() < size; ++i) text += "voce " + std::to_string(seed) + "-" + std::to_string(i) + " in ordine\n";
  text.resize(size);
  return text;
}

std::string Little(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::uint32_t Crc32(const std::string& bytes) {
  return static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::string Field(std::uint16_t id, const std::string& data) { return Little(id | data.size() << 16, 4) + data; }

namespace {

// zlib's stream without its two bytes of header and four of checksum.
std::string Deflated(const std::string& data) {
  uLongf size = ::compressBound(data.size());
  std::string out(size, '\0');
  ::compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()), data.size(), 9);
  return out.substr(2, size - 6);
}

// Local, as the restore reads it; a time before 1980, which it cannot hold, as 1980 begins.
std::uint32_t DosTime(std::int64_t seconds) {
  if (seconds < 315'532'800) return 1 << 21 | 1 << 16;
  const std::time_t time = seconds;
  const std::tm local = *std::localtime(&time);
  return (local.tm_year - 80) << 25 | (local.tm_mon + 1) << 21 | local.tm_mday << 16 | local.tm_hour << 11 |
         local.tm_min << 5 | local.tm_sec / 2;
}

}  // namespace

std::string NtfsTimesData(archiver::ModificationTime time) {
  std::string data(4, '\0');  // reserved, then the tag and size of the three times
  data += Little(1 | 24 << 16, 4);
  for (int i = 0; i < 3; ++i) data += Little((time.seconds + 11'644'473'600) * 10'000'000 + time.ticks, 8);
  return data;
}

void WriteHandMadeArchive(const std::string& path, const std::vector<HandMadeEntry>& entries) {
  std::string archive, central;
  for (const HandMadeEntry& entry : entries) {
    std::string extra = entry.extra, stored = entry.deflated ? Deflated(entry.data) : entry.data;
    if (entry.extended_mtime) {
      std::string time(1, '\1');  // the modification time only
      time += Little(*entry.extended_mtime, 4);
      extra += Field(0x5455, time);
    }
    std::string common;  // from "version needed" (2.0, no flags) to the extra field's length
    common += Little(20 | std::uint64_t{entry.deflated ? std::uint16_t{8} : entry.method} << 32, 6);
    common += Little(entry.mtime ? DosTime(*entry.mtime) : 0x2ECF5000, 4);
    common += Little(Crc32(entry.data), 4);
    common += Little(stored.size() | entry.data.size() << 32, 8);
    common += Little(entry.name.size() | extra.size() << 16, 4);
    central += Little(0x02014b50 | std::uint64_t{entry.made_on} << 40 | std::uint64_t{20} << 32, 6);  // and "made by"
    central += common;
    central += Little(0, 6);  // comment length, disk, internal attributes
    central += Little(entry.dos_attributes | std::uint64_t{entry.unix_mode.value_or(0)} << 16 | archive.size() << 32, 8);
    central += entry.name + extra;
    archive += Little(0x04034b50, 4);
    archive += common + entry.name + extra + stored;
  }
  const std::uint64_t count = entries.size(), offset = archive.size(), size = central.size();
  archive += central;
  archive += Little(0x06054b50, 8);  // and the disk numbers
  archive += Little(count | count << 16 | size << 32, 8);
  archive += Little(offset, 6);  // and the comment's length
  WriteFile(path, archive);
}

std::vector<EntryInfo> ReadEntries(const std::string& archive_path) {
  int error = 0;
  zip_t* archive = zip_open(archive_path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) throw std::runtime_error("cannot open " + archive_path);
  std::vector<EntryInfo> entries;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(zip_get_num_entries(archive, 0)); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    zip_file_t* file = zip_fopen_index(archive, i, ZIP_FL_COMPRESSED);
    std::string raw;
    char chunk[65536];
    for (zip_int64_t read; (read = zip_fread(file, chunk, sizeof chunk)) > 0;) raw.append(chunk, read);
    zip_fclose(file);
    zip_uint16_t length = 0;
    const zip_uint8_t* field = zip_file_extra_field_get_by_id(archive, i, archiver::kStoredAtId, 0, &length, ZIP_FL_CENTRAL);
    entries.push_back({archiver::EntryName(archive, i).value_or("?"), stat.comp_method,
                       zip_file_extra_fields_count_by_id(archive, i, 0x5455, ZIP_FL_CENTRAL), raw,
                       archiver::DecodeStoredAt(field, length).value_or(-1)});
  }
  zip_discard(archive);
  return entries;
}

std::vector<std::string> EntryNames(const std::string& archive) {
  std::vector<std::string> names;
  for (const EntryInfo& entry : ReadEntries(archive)) names.push_back(entry.name);
  return names;
}

bool Exists(const std::string& path) { return fs::exists(fs::symlink_status(archiver::PathFromUtf8(path))); }

// On Windows as a Unix tool shows it: read-only takes every write permission away.
archiver::UnixMode Permissions(const std::string& path) {
  return static_cast<archiver::UnixMode>(fs::symlink_status(archiver::PathFromUtf8(path)).permissions()) & 07777;
}

void Sandbox::SetUp() { fs::create_directories(archiver::PathFromUtf8(outside_)); }

void Sandbox::TearDown() {
  EXPECT_EQ(ListTree(outside_), std::vector<std::string>{});
  // Windows removes no read-only file, and the sandbox would stay behind.
  std::error_code error, ignored;
  for (fs::recursive_directory_iterator at(archiver::PathFromUtf8(root_), error), end; !error && at != end; at.increment(error))
    fs::permissions(at->path(), fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow, ignored);
}

void Sandbox::ExpectSameTree(const std::string& original, const std::string& restored, bool link_times) {
  const std::vector<std::string> paths = ListTree(original);
  ASSERT_EQ(ListTree(restored), paths);
  for (const std::string& path : paths) {
    const std::string a = original + "/" + path, b = restored + "/" + path;
    const fs::file_type type = fs::symlink_status(archiver::PathFromUtf8(a)).type();
    if (type != fs::file_type::symlink || link_times) { EXPECT_EQ(Mtime(b), Mtime(a)) << path; }
    if (type == fs::file_type::symlink) { EXPECT_EQ(fs::read_symlink(b), fs::read_symlink(a)) << path; }
    if (type != fs::file_type::symlink) { EXPECT_EQ(Permissions(b), Permissions(a)) << path; }
    if (type == fs::file_type::regular) { EXPECT_TRUE(ReadFile(b) == ReadFile(a)) << path; }
  }
}

}  // namespace archiver_test
