#include "text/system_cause.h"

#include <cerrno>
#include <cstring>

namespace vorn {

std::string SystemCause(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return "disque plein";
    case EFBIG:
        return "fichier trop gros";
    case EACCES:
    case EPERM:
        return "accès refusé";
    case EROFS:
        return "disque en lecture seule";
    case ENOENT:
        return "dossier introuvable";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case ENAMETOOLONG:
        return "nom trop long";
    case EISDIR:
        return "c'est un dossier";
    case ELOOP:
        return "lien symbolique refusé";
    case EIO:
        return "erreur du disque";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case ENOMEM:
        return "mémoire insuffisante";
    case EEXIST:
        return "le nom est déjà pris";
    case ETXTBSY:
    case EBUSY:
        return "fichier occupé";
    case EINTR:
        return "opération interrompue";
    default:
        // An unusual error still says which one it was, for whoever helps.
        return "erreur système " + std::to_string(errorNumber) + " (" + std::strerror(errorNumber) +
               ")";
    }
}

} // namespace vorn
