#include "archiver/zip_error_text.h"

#include "platform/errno_text.h"

namespace archiver {

namespace {

constexpr char kMethodNotSupported[] = "metodo di compressione non supportato";

// The names the ZIP format's own list gives the methods other archivers write (stored and
// Deflate are always read).
const char* MethodName(std::int32_t method) {
  switch (method) {
    case 1: return "Shrink";
    case 2: case 3: case 4: case 5: return "Reduce";
    case 6: return "Implode";
    case 9: return "Deflate64";
    case 10: return "DCL Implode";
    case 12: return "bzip2";
    case 14: return "LZMA";
    case 16: return "IBM z/OS CMPSC";
    case 18: return "IBM TERSE";
    case 19: return "IBM LZ77";
    case 20: case 93: return "Zstandard";
    case 94: return "MP3";
    case 95: return "XZ";
    case 96: return "JPEG";
    case 97: return "WavPack";
    case 98: return "PPMd";
    default: return "sconosciuto";
  }
}

std::string CodeText(int code) {
  switch (code) {
    case ZIP_ER_NOZIP:
      return "non è un archivio ZIP";
    case ZIP_ER_MULTIDISK:
      return "gli archivi su più volumi non sono supportati";
    case ZIP_ER_INCONS:
      return "archivio danneggiato";
    case ZIP_ER_CRC:
      return "dati danneggiati (CRC errato)";
    case ZIP_ER_ZLIB:
      return "dati compressi danneggiati";
    case ZIP_ER_EOF:
      return "archivio troncato";
    case ZIP_ER_NOENT:
      return "File o directory non esistente";
    case ZIP_ER_EXISTS:
      return "Il file esiste";
    case ZIP_ER_MEMORY:
      return "Impossibile allocare memoria";
    case ZIP_ER_COMPNOTSUPP:
      return kMethodNotSupported;
    case ZIP_ER_ENCRNOTSUPP:
      return "cifratura non supportata";
    case ZIP_ER_NOPASSWD:
      return "voce cifrata: serve una password";
    case ZIP_ER_WRONGPASSWD:
      return "password errata";
    case ZIP_ER_OPEN:
      return "impossibile aprire il file";
    case ZIP_ER_READ:
      return "errore di lettura";
    case ZIP_ER_WRITE:
      return "errore di scrittura";
    case ZIP_ER_SEEK:
      return "errore di posizionamento nel file";
    case ZIP_ER_TMPOPEN:
      return "impossibile creare il file temporaneo";
    case ZIP_ER_RENAME:
      return "impossibile rinominare il file temporaneo";
    case ZIP_ER_CLOSE:
      return "impossibile chiudere il file";
    case ZIP_ER_REMOVE:
      return "impossibile eliminare il file";
    case ZIP_ER_RDONLY:
      return "archivio in sola lettura";
    case ZIP_ER_INUSE:
      return "risorsa in uso";
    case ZIP_ER_TELL:
      return "errore di posizionamento nel file";
    case ZIP_ER_COMPRESSED_DATA:
      return "dati compressi danneggiati";
    default:
      return "errore di libzip " + std::to_string(code);
  }
}

}  // namespace

std::string ZipErrorText(const zip_error_t& error) {
  std::string text = CodeText(zip_error_code_zip(&error));
  if (zip_error_system_type(&error) == ZIP_ET_SYS && zip_error_code_system(&error) != 0)
    text += ": " + platform::ErrnoText(zip_error_code_system(&error));
  return text;
}

std::string UnsupportedMethodText(std::int32_t method) {
  return std::string(kMethodNotSupported) + ": " + MethodName(method) + " (" + std::to_string(method) + ")";
}

}  // namespace archiver
