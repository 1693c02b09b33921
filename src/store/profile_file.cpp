#include "store/profile_file.h"

#include <algorithm>
#include <cerrno>
#include <string_view>
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
// malformed lines among them; a line the writer produces is far shorter than kMaxLineBytes.
constexpr std::size_t kMaxLinesRead = 1 + 4 * kMaxFolderLines;
constexpr std::size_t kMaxLineBytes = 16 * 1024;
constexpr std::size_t kMaxUtf8Bytes = 4;
constexpr std::size_t kMaxNameBytes = 255;
static_assert(kMaxNameBytes + 1 + kMaxDescriptionChars * kMaxUtf8Bytes < kMaxLineBytes);
static_assert(5 + kMaxDescriptionChars * kMaxUtf8Bytes + 1 + kMaxPathBytes < kMaxLineBytes);

platform::files::LinesRead ReadProfileLines(const std::string& path, std::size_t max_lines) {
  return platform::files::ReadLines(path, max_lines, kMaxLineBytes);
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// The text whose bytes tell how the file was written: the header's name is the file's name,
// whatever bytes that has, so only its description counts.
bool WrittenInUtf8(const std::vector<std::string>& lines) {
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::string_view line = lines[k];
    const std::string_view text = k > 0 ? line : line.substr(std::min(line.find('#'), line.size()));
    if (!platform::text::IsValidUtf8(text)) return false;
  }
  return true;
}

// The file's lines as program text: all UTF-8, or else 8-bit text line by line.
std::vector<std::string> DecodedLines(std::vector<std::string> lines) {
  if (!WrittenInUtf8(lines))
    for (auto& line : lines) line = platform::text::DecodeProfileText(line);
  return lines;
}

std::vector<std::string> SplitAtCrLf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// Refuses 8-bit text that the loader would take for UTF-8 ("É«" in Windows-1252 is the bytes of
// "ɠ"): the folder line would load as another folder. Only files in a code page can meet this.
void CheckReadsBackAsWritten(const std::string& path, const std::string& text, const std::string& bytes) {
  const std::vector<std::string> written = SplitAtCrLf(text);
  const std::vector<std::string> read = DecodedLines(SplitAtCrLf(bytes));
  for (std::size_t k = 0; k < written.size(); ++k)
    if (k >= read.size() || read[k] != written[k])
      throw platform::UserError("Impossibile scrivere il file " + path + ": " +
                                (k == 0 ? std::string("la descrizione") : "la riga " + std::to_string(k)) +
                                " contiene lettere accentate seguite da simboli (come «É«» o «À€») che "
                                "alla rilettura diventerebbero altri caratteri. Il file non è stato modificato.");
}

// Refuses to replace a profile that could not be loaded whole: it loaded without (some of) its
// folder lines, and the new text would drop them.
void CheckLoadedWhole(const std::string& path) {
  const platform::files::LinesRead old = ReadProfileLines(path, kMaxLinesRead);
  if (old.error != 0 && old.error != ENOENT)
    throw platform::UserError("Impossibile leggere il file " + path +
                              ": non viene sovrascritto, perché le sue righe andrebbero perse."
                              "\r\n\r\n" + old.reason);
  if (old.line_too_long)
    throw platform::UserError("Il file " + path + " contiene una riga più lunga di " +
                              std::to_string(kMaxLineBytes) +
                              " byte, che non è stata letta: non viene sovrascritto, perché "
                              "quella riga e le seguenti andrebbero perse.");
}

}  // namespace

void LEGGI_COPIA(ProfileState& state) {
  state.Max_Num_Riga = 0;
  state.Num_Righe = 0;
  // A file that cannot be read loads without lines; one that stops at an over-long line loads
  // the lines before it: a cut line would load as a different folder.
  const std::vector<std::string> lines =
      DecodedLines(ReadProfileLines(state.Path_Dati + state.Nome_Copia, kMaxLinesRead).lines);

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
  const std::string path = state.Path_Dati + state.Nome_Copia;
  // The name heads the file too: one the code page cannot hold would come back as "?".
  if (const std::string outside = platform::text::CharactersOutsideProfileCodePage(state.Nome_Copia);
      !outside.empty())
    throw platform::UserError("Il nome " + state.Nome_Copia +
                              " contiene caratteri che il file della copia non può contenere: " + outside);
  const std::string bytes = platform::text::EncodeProfileText(text);
  CheckReadsBackAsWritten(path, text, bytes);
  CheckLoadedWhole(path);
  platform::files::WriteAtomically(path, bytes);
}

bool HasProfileHeader(const std::string& path) {
  const platform::files::LinesRead header = ReadProfileLines(path, 1);
  return !header.lines.empty() && header.lines[0].find('#') != std::string::npos;
}

std::optional<std::string> FieldProblem(Field field, const std::string& text) {
  const bool path = field == Field::LinePath;
  const std::string what = field == Field::ProfileDescription ? "La descrizione della copia personalizzata"
                           : path ? "Il nome della cartella"
                                  : "La descrizione della riga";
  if (HasLineBreak(text)) return what + " non può andare a capo !!!";
  if (field == Field::LineDescription && text.find('#') != std::string::npos)
    return what + " non può contenere il carattere # !!!";
  if (!platform::text::IsValidUtf8(text)) return what + " contiene caratteri non validi !!!";
  if (const std::string outside = platform::text::CharactersOutsideProfileCodePage(text); !outside.empty())
    return what + " contiene caratteri che il file della copia non può contenere: " + outside + " !!!";
  if (path && text.size() > kMaxPathBytes)
    return what + " è troppo lungo: al massimo " + std::to_string(kMaxPathBytes) + " byte !!!";
  if (!path && platform::text::CharCount(text) > kMaxDescriptionChars)
    return what + " è troppo lunga: al massimo " + std::to_string(kMaxDescriptionChars) +
           " caratteri !!!";
  // The loader trims these spaces: they would not come back.
  if (path && text.ends_with(' ')) return what + " non può finire con uno spazio !!!";
  if (!path && (text.starts_with(' ') || text.ends_with(' ')))
    return what + " non può cominciare o finire con uno spazio !!!";
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
