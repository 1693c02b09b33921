#include "store/profile_file.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/user_error.h"
#include "store/numeric.h"

namespace store {
namespace {

using platform::text::Trim;

// Bounds that keep any file cheap to read: the header, 100 folder lines and room for
// malformed lines among them; paths are far shorter than a line may be.
constexpr std::size_t kMaxLinesRead = 1 + 4 * kMaxFolderLines;
constexpr std::size_t kMaxLineBytes = 16 * 1024;

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

void LEGGI_COPIA(ProfileState& state) {
  state.Max_Num_Riga = 0;
  state.Num_Righe = 0;
  std::vector<std::string> lines;
  platform::files::ReadLines(state.Path_Dati + state.Nome_Copia, kMaxLinesRead, kMaxLineBytes,
                             lines);
  const bool utf8 = std::all_of(lines.begin(), lines.end(), platform::text::IsValidUtf8);
  for (auto& line : lines)
    if (!utf8) line = platform::text::DecodeProfileText(line);

  // The header's name is not taken over: the file's real name is the profile's name, so a
  // header that says otherwise can never send a later save somewhere else.
  if (!lines.empty()) {
    const auto p = lines[0].find('#');
    if (p != std::string::npos) state.Descriz_Copia = Trim(lines[0].substr(p + 1));
  }

  std::int16_t highest = 0;
  for (std::size_t k = 1; k < lines.size() && state.Num_Righe < kMaxFolderLines; ++k) {
    const std::string& line = lines[k];
    const auto p = line.find('#');
    if (p == std::string::npos) continue;  // not a folder line
    const std::string rest = Trim(line.substr(p + 1));
    const auto q = rest.find('#');
    if (q == std::string::npos) continue;  // a line without a path would save the whole disk
    highest = std::max(highest, NumericValue16(line.substr(0, p)));
    ++state.Num_Righe;
    state.Des_Riga[state.Num_Righe] = Trim(rest.substr(0, q));
    state.Path_Copia = rest.substr(q + 1);
    state.Path_Riga[state.Num_Righe] = state.Path_Copia;
  }
  // The writer writes lines 1..Max_Num_Riga from the table: never more than were read.
  state.Max_Num_Riga = std::clamp<std::int16_t>(highest, 0, state.Num_Righe);
  for (int i = state.Num_Righe + 1; i <= kMaxFolderLines; ++i) {
    state.Des_Riga[i].clear();
    state.Path_Riga[i].clear();
  }
}

std::string FormatProfile(const ProfileState& state) {
  auto check = [](Field field, const std::string& text) {
    if (auto problem = FieldProblem(field, text)) throw platform::UserError(*problem);
  };
  if (auto problem = ProfileNameProblem(state.Nome_Copia)) throw platform::UserError(*problem);
  check(Field::ProfileDescription, state.Descriz_Copia);

  std::string out = state.Nome_Copia + "#" + state.Descriz_Copia + "\r\n";
  const int last = std::min<int>(state.Max_Num_Riga, kMaxFolderLines);
  for (int i = 1; i <= last; ++i) {
    check(Field::LineDescription, state.Des_Riga[i]);
    check(Field::LinePath, state.Path_Riga[i]);
    out.append(" ").append(std::to_string(i)).append("#").append(state.Des_Riga[i]);
    out.append("#").append(state.Path_Riga[i]).append("\r\n");
  }
  return out;
}

void SALVA_COPIA(const ProfileState& state) {
  const std::string text = FormatProfile(state);
  platform::files::WriteAtomically(state.Path_Dati + state.Nome_Copia, text);
}

std::optional<std::string> FieldProblem(Field field, const std::string& text) {
  if (HasLineBreak(text)) {
    switch (field) {
      case Field::ProfileDescription:
        return "La descrizione della copia personalizzata non può andare a capo !!!";
      case Field::LineDescription:
        return "La descrizione della riga non può andare a capo !!!";
      case Field::LinePath:
        return "Il nome della cartella non può andare a capo !!!";
    }
  }
  if (field == Field::LineDescription && text.find('#') != std::string::npos)
    return "La descrizione della riga non può contenere il carattere # !!!";
  return std::nullopt;
}

std::optional<std::string> ProfileNameProblem(const std::string& name) {
  if (!platform::paths::IsPlainFileName(name) || name.find('#') != std::string::npos)
    return "Nome di copia personalizzata non valido: " + name +
           "\r\n\r\nIl nome è il nome di un file nella cartella del programma: non può "
           "contenere / \\ : * ? \" < > | #, né andare a capo, né essere . o ..";
  return std::nullopt;
}

}  // namespace store
