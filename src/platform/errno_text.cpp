#include "platform/errno_text.h"

#include <cerrno>
#include <cstring>

namespace platform {

std::string ErrnoText(int error_number) {
  switch (error_number) {
    case EACCES:
      return "Permesso negato";
    case EPERM:
      return "Operazione non permessa";
    case ENOENT:
      return "File o directory non esistente";
    case EIO:
      return "Errore di input/output";
    case ENOSPC:
      return "Spazio esaurito sul device";
#ifdef EDQUOT  // Windows' C library has no disk quotas
    case EDQUOT:
      return "Quota del disco superata";
#endif
    case EROFS:
      return "File system in sola lettura";
    case EISDIR:
      return "È una directory";
    case ENOTDIR:
      return "Non è una directory";
    case ELOOP:
      return "Troppi livelli di collegamenti simbolici";
    case EEXIST:
      return "Il file esiste";
    case ENAMETOOLONG:
      return "Nome del file troppo lungo";
    case EMFILE:
      return "Troppi file aperti";
    case ENOMEM:
      return "Impossibile allocare memoria";
    case ENOTEMPTY:
      return "Directory non vuota";
    case EXDEV:
      return "Collegamento tra device non valido";
    case EFBIG:
      return "File troppo grande";
    case EBUSY:
      return "Device o risorsa occupata";
    case ETXTBSY:
      return "File di testo occupato";
    case EINVAL:
      return "Argomento non valido";
    case EAGAIN:
      return "Risorsa temporaneamente non disponibile";
    default:
      return "errore di sistema " + std::to_string(error_number) + " (" + std::strerror(error_number) + ")";
  }
}

}  // namespace platform
