#include "editor/line_table.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "platform/text.h"
#include "store/editor_items.h"

namespace editor {
namespace {

using platform::text::Trim;
using store::kMaxFolderLines;

bool Blank(const std::string& text) { return Trim(text).empty(); }

// The windows check the number before they change a line: one outside the table is a fault.
void RequireLineNumber(int number) {
  if (number < 1 || number > kMaxFolderLines)
    throw std::out_of_range("numero di riga fuori dalla tabella: " + std::to_string(number));
}

// Lines the table holds: never past its last entry, whatever Max_Num_Riga says.
int LastLine(const store::ProfileState& state) {
  return std::clamp<int>(state.Max_Num_Riga, 0, kMaxFolderLines);
}

}  // namespace

void KeepLines(store::ProfileState& state, const LineFilter& keep) {
  const int last = LastLine(state);
  int kept = 0;
  for (int i = 1; i <= last; ++i) {
    if (!keep(state.Des_Riga[i], state.Path_Riga[i])) continue;
    ++kept;
    if (kept != i) {
      state.Des_Riga[kept] = std::move(state.Des_Riga[i]);
      state.Path_Riga[kept] = std::move(state.Path_Riga[i]);
    }
  }
  for (int i = kept + 1; i <= kMaxFolderLines; ++i) {
    state.Des_Riga[i].clear();
    state.Path_Riga[i].clear();
  }
  state.Max_Num_Riga = static_cast<std::int16_t>(kept);
}

void DropUndescribedLines(store::ProfileState& state) {
  KeepLines(state,
            [](const std::string& description, const std::string&) { return !Blank(description); });
}

std::vector<std::string> ShownLines(store::ProfileState& state) {
  DropUndescribedLines(state);
  return store::CARICA_RIGHE_EDITOR(state);
}

std::vector<int> UndescribedFolderLines(const store::ProfileState& state) {
  std::vector<int> numbers;
  for (int i = 1; i <= LastLine(state); ++i)
    if (Blank(state.Des_Riga[i]) && !Blank(state.Path_Riga[i])) numbers.push_back(i);
  return numbers;
}

int StartNewLine(store::ProfileState& state) {
  const int last = state.Max_Num_Riga;
  const bool prepared_earlier =
      last > kMaxFolderLines || (last >= 1 && Blank(state.Des_Riga[last]));
  if (prepared_earlier) return last;
  const int number = last + 1;
  if (number <= kMaxFolderLines) {
    // The slot may still hold a line of a profile edited earlier: it starts empty.
    state.Des_Riga[number].clear();
    state.Path_Riga[number].clear();
  }
  state.Max_Num_Riga = static_cast<std::int16_t>(number);
  return number;
}

void StoreLine(store::ProfileState& state, int number, const std::string& description,
               const std::string& path) {
  RequireLineNumber(number);
  state.Des_Riga[number] = description;
  state.Path_Riga[number] = path;
  state.Max_Num_Riga = static_cast<std::int16_t>(std::max<int>(state.Max_Num_Riga, number));
}

void DeleteLine(store::ProfileState& state, int number) {
  RequireLineNumber(number);
  state.Des_Riga[number].clear();
  state.Path_Riga[number].clear();
  KeepLines(state, [](const std::string&, const std::string& path) { return !Blank(path); });
}

}  // namespace editor
