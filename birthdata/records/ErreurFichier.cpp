#include "birthdata/records/ErreurFichier.h"

#include <cerrno>
#include <cstring>

namespace selvane {

std::string TexteErreurSysteme(int numero) {
  switch (numero) {
    case ENOENT: return "Le fichier spécifié est introuvable.";
    case ENOTDIR: return "Le chemin d'accès spécifié est introuvable.";
    case EACCES:
    case EPERM: return "Accès refusé.";
    case EROFS: return "Le support est protégé en écriture.";
    case ENOSPC:
    case EDQUOT: return "Il n'y a pas assez d'espace sur le disque.";
    case EEXIST: return "Le fichier existe.";
    case EISDIR: return "Accès refusé : le nom désigne un dossier.";
    case EMFILE:
    case ENFILE: return "Le système ne peut pas ouvrir le fichier.";
    case EIO: return "Erreur de lecture ou d'écriture sur le disque.";
    case ENAMETOOLONG: return "Le nom de fichier ou l'extension est trop long.";
    case ELOOP: return "Le nom du fichier ne peut pas être résolu par le système.";
    case ENOTEMPTY: return "Le répertoire n'est pas vide.";
    case EXDEV: return "Le système ne peut pas déplacer le fichier vers un lecteur de disque différent.";
    case EINVAL: return "Paramètre incorrect.";
    case EFBIG: return "Le fichier est trop volumineux.";
    case ETXTBSY:
    case EBUSY: return "Le processus ne peut pas accéder au fichier car ce fichier est utilisé par un autre processus.";
    default: return std::string("Erreur système ") + std::to_string(numero) + " : " + std::strerror(numero);
  }
}

void LeverErreurFichier(int numero, const std::string& chemin) {
  throw ErreurFichier(TexteErreurSysteme(numero) + " (" + chemin + ")");
}

ErreurFichier ErreurDuSysteme(const std::filesystem::filesystem_error& e) {
  const std::string chemin = e.path1().string();
  return ErreurFichier(TexteErreurSysteme(e.code().value()) + (chemin.empty() ? "" : " (" + chemin + ")"));
}

}  // namespace selvane
