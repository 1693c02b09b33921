#pragma once

#include <string>
#include <vector>

// Folder tree keys are the folders' real paths, spelt as the file system spells them: the
// root "/" keeps its separator, every other key has none at the end.
namespace explorer {

std::string ChildKey(const std::string& parent_key, const std::string& name);

// The keys to select one after another to walk from the node keyed from down to target,
// target last; empty when target is from itself or does not lie below it.
std::vector<std::string> WalkKeys(const std::string& from, const std::string& target);

// A folder as the chosen folder is stored: the key with a closing separator.
std::string ChosenFolder(const std::string& key);

// Whether the folder keyed key, shown as text, is a recycle bin: its name begins with "recycle"
// in any case (Recycled, RECYCLER), or it is one of the system's trash folders, compared as the
// file system compares names (a FAT stick's bin is "$RECYCLE.BIN", an NTFS one "$Recycle.Bin").
bool IsRecycleFolder(const std::string& key, const std::string& text,
                     const std::vector<std::string>& trash_folders);

// Folder and file names in the order the lists show them: letters without regard to case,
// byte order between names that differ only in case.
bool NameLess(const std::string& a, const std::string& b);

}  // namespace explorer
