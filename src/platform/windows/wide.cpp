#include "platform/windows/wide.h"

#include <climits>
#include <stdexcept>

namespace platform::windows {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  if (utf8.size() > INT_MAX) throw std::length_error("testo troppo lungo");
  const int length = static_cast<int>(utf8.size());
  const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
  return wide;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  if (utf16.size() > INT_MAX) throw std::length_error("testo troppo lungo");
  const int length = static_cast<int>(utf16.size());
  const int needed = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(needed), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), needed, nullptr, nullptr);
  return narrow;
}

std::string LastErrorText(DWORD error_code) {
  switch (error_code) {
    case ERROR_FILE_NOT_FOUND:
      return "File non trovato";
    case ERROR_PATH_NOT_FOUND:
      return "Percorso non trovato";
    case ERROR_INVALID_DRIVE:
      return "Unità non trovata";
    case ERROR_NOT_READY:
      return "Unità non pronta";
    case ERROR_ACCESS_DENIED:
      return "Accesso negato";
    case ERROR_SHARING_VIOLATION:
      return "Il file è in uso da parte di un altro programma";
    case ERROR_LOCK_VIOLATION:
      return "Una parte del file è bloccata da un altro programma";
    case ERROR_WRITE_PROTECT:
      return "Il supporto è protetto da scrittura";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "Spazio su disco esaurito";
    case ERROR_NOT_ENOUGH_QUOTA:
      return "Quota insufficiente per l'operazione";
    case ERROR_FILENAME_EXCED_RANGE:
      return "Percorso troppo lungo";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return "Il file esiste";
    case ERROR_DIR_NOT_EMPTY:
      return "Cartella non vuota";
    case ERROR_DIRECTORY:
      return "Il nome della cartella non è valido";
    case ERROR_INVALID_NAME:
      return "Nome di file non valido";
    case ERROR_NOT_SAME_DEVICE:
      return "Impossibile spostare il file su un'altra unità";
    case ERROR_TOO_MANY_OPEN_FILES:
      return "Troppi file aperti";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "Memoria insufficiente";
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
      return "Errore di input/output";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return "Percorso di rete non trovato";
    case ERROR_NETWORK_ACCESS_DENIED:
      return "Accesso alla rete negato";
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
      return "Impossibile sostituire il file";
    case ERROR_CANT_RESOLVE_FILENAME:
      return "Troppi livelli di collegamenti";
    case ERROR_BAD_EXE_FORMAT:
      return "Il programma non è valido per Windows";
    case ERROR_INVALID_PARAMETER:
      return "Argomento non valido";
    default:
      return "errore di sistema " + std::to_string(error_code);
  }
}

}  // namespace platform::windows
