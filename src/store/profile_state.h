#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace store {

// Profile numbers run 01..99; a profile holds folder lines 1..100.
inline constexpr int kMaxProfileNumber = 99;
inline constexpr int kMaxFolderLines = 100;

// The one shared state of the program: the profile loaded last and the few values that pass
// between windows. Created once by the application and handed to every window.
struct ProfileState {
  std::string Path_Dati;      // data folder = the program's folder, with a closing separator
  std::string Nome_Copia;     // current profile's name = its file name, e.g. "Copia_01.Dat"
  std::string Descriz_Copia;  // current profile's description

  std::int16_t Num_Righe = 0;     // folder lines read by the last load (0..100)
  std::int16_t Max_Num_Riga = 0;  // highest line number; lines the writer writes
  // Folder line i is at position i (1..100); position 0 is not used.
  std::array<std::string, kMaxFolderLines + 1> Des_Riga;
  std::array<std::string, kMaxFolderLines + 1> Path_Riga;
  std::string Path_Copia;  // path of the folder line handled last

  std::int16_t Max_Num_Copia = 0;  // highest profile number found by the last listing
  std::int16_t Num_Copie = 0;      // profile files read by the last listing

  std::string Path_Scelto;      // folder last chosen in a folder picker
  std::string Cartella_Arrivo;  // restore target folder, "" to restore over the originals
  std::string Archivio_Scelto;  // archive name of the restore entry last clicked
};

}  // namespace store
