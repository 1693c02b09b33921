#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/profile_state.h"

// The profile's folder lines as the editor changes them. The list shows exactly lines
// 1..Max_Num_Riga after every refill, and every rewrite writes exactly what the list shows.
namespace editor {

using LineFilter = std::function<bool(const std::string& description, const std::string& path)>;

// Keeps the lines 1..Max_Num_Riga that keep accepts, renumbered 1..k in their order, each with
// its own description and path; entries k+1..100 are emptied and Max_Num_Riga becomes k.
void KeepLines(store::ProfileState& state, const LineFilter& keep);

// Drops the lines without a description, which the list never shows (nor a slot prepared for
// a new line and never confirmed), so that the numbers shown are the numbers written.
void DropUndescribedLines(store::ProfileState& state);

// The editor's list items after DropUndescribedLines: lines 1..Max_Num_Riga.
std::vector<std::string> ShownLines(store::ProfileState& state);

// The numbers of the lines that DropUndescribedLines would drop although they name a folder.
std::vector<int> UndescribedFolderLines(const store::ProfileState& state);

// Prepares a new line after the last one and returns its number: Max_Num_Riga + 1, or the
// line prepared earlier and not confirmed yet, which is offered again rather than skipped.
int StartNewLine(store::ProfileState& state);

// Line number (1..100; another number throws std::out_of_range) takes description and path; a
// number after the last line raises Max_Num_Riga to it.
void StoreLine(store::ProfileState& state, int number, const std::string& description,
               const std::string& path);

// Empties line number (1..100, as above) and keeps the lines that name a folder, renumbered 1..k.
void DeleteLine(store::ProfileState& state, int number);

}  // namespace editor
