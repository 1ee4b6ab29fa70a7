#include "error.h"

#include <cerrno>

#include "cp1252.h"

namespace kov {

Error errorOf(int number) {
  std::string_view text;
  switch (number) {
    case err::kInvalidArgument:
      text = "Chiamata di routine o argomento non validi"_cp;
      break;
    case err::kBadFileNumber:
      text = "Nome o numero di file non valido"_cp;
      break;
    case err::kFileNotFound:
      text = "Impossibile trovare il file"_cp;
      break;
    case err::kDeviceIo:
      text = "Errore di I/O della periferica"_cp;
      break;
    case err::kFileExists:
      text = "File già esistente"_cp;
      break;
    case err::kDiskFull:
      text = "Disco pieno"_cp;
      break;
    case err::kTooManyFiles:
      text = "Troppi file"_cp;
      break;
    case err::kPermissionDenied:
      text = "Autorizzazione negata"_cp;
      break;
    case err::kPathFileAccess:
      text = "Errore di accesso al percorso/file"_cp;
      break;
    case err::kPathNotFound:
      text = "Impossibile trovare il percorso"_cp;
      break;
    case err::kInvalidPropertyValue:
      text = "Valore della proprietà non valido"_cp;
      break;
    default:
      text = "Errore definito dall'applicazione o dall'oggetto"_cp;
      break;
  }
  return Error{number, std::string(text)};
}

Error errorFromErrno(int errnoValue, bool parentExists) {
  switch (errnoValue) {
    case 0:
      return {};
    case ENOENT:
      return errorOf(parentExists ? err::kFileNotFound : err::kPathNotFound);
    case ENOTDIR:
      return errorOf(err::kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return errorOf(err::kPermissionDenied);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return errorOf(err::kDiskFull);
    case EMFILE:
    case ENFILE:
      return errorOf(err::kTooManyFiles);
    case EIO:
      return errorOf(err::kDeviceIo);
    case EEXIST:
      return errorOf(err::kFileExists);
    case EINVAL:
      return errorOf(err::kInvalidArgument);
    case EBADF:
      return errorOf(err::kBadFileNumber);
    default:
      return errorOf(err::kPathFileAccess);  // EISDIR, ENAMETOOLONG, ELOOP, ...
  }
}

}  // namespace kov
