#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What copy, move and delete need from the file system, one implementation per system. Errors
// are errno values (the system's own codes translated where they differ), so that one set of
// Italian texts describes them everywhere.
namespace platform::file_operations::items {

enum class Kind { File, Folder, Link, Special };

struct Item {
  Kind kind = Kind::File;
  std::uint64_t size = 0;    // the bytes of a file
  std::uint64_t device = 0;  // the file system holding it
};

// What path itself is, a link not followed into; nullopt with error set when it cannot be seen.
std::optional<Item> Look(const std::string& path, int& error);

// 0 when path is a folder (a link to one counts), else the errno that says why not.
[[nodiscard]] int FolderProblem(const std::string& path);

// The path with every link resolved, or "" when it cannot be.
std::string RealPath(const std::string& path);

// The names in folder, "." and ".." left out; error is 0 or the errno of the failed read.
std::vector<std::string> EntryNames(const std::string& folder, int& error);

// A new folder for a copy, writable by us while it fills whatever its source's permissions.
[[nodiscard]] int MakeFolder(const std::string& path);
// Gives the filled copy its source's permissions.
void FinishFolder(const std::string& source, const std::string& copy);

// Where a copy went wrong: reading the source, making its temporary file in the destination's
// folder, or writing and placing it.
enum class Stage { Reading, MakingTemporary, Writing };
struct Failure {
  Stage stage;
  int error;  // ECANCELED when told to stop
};

// Told the bytes copied since the last call; false stops the copy.
using CopyProgress = std::function<bool(std::uint64_t)>;

// Copies the file's bytes, permissions and times under a temporary name beside destination,
// on disk before it takes destination's place (replacing what is there). Nothing is left
// behind when it fails or is stopped.
std::optional<Failure> CopyRegularFile(const std::string& source, const std::string& destination,
                                const CopyProgress& progress);

// Makes a link like source at destination, beside it first and then renamed into place.
std::optional<Failure> CopyLink(const std::string& source, const std::string& destination);

// Renames within one file system, replacing a file at destination; EXDEV across file systems.
[[nodiscard]] int Rename(const std::string& source, const std::string& destination);

// Removes the entry itself: a folder must be empty, a link goes and never what it points to.
[[nodiscard]] int Remove(const std::string& path, const Item& item);

}  // namespace platform::file_operations::items
