#include "birthdata/records/Fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "birthdata/records/ErreurFichier.h"

namespace selvane {

namespace fs = std::filesystem;

namespace {

std::string Texte(const fs::path& p) { return p.string(); }

int gPanneApres = 0;  // 0: no injected failure
bool gPanneRenommage = false;
bool gPanneLecture = false;

// Writes every byte or fails with errno set.
bool EcrireTout(int fd, const char* donnees, std::size_t taille) {
  while (taille > 0) {
    if (gPanneApres > 0 && --gPanneApres == 0) {
      errno = ENOSPC;
      return false;
    }
    // Large writes in slices, so an injected failure can fall midway.
    const std::size_t morceau = taille < 65536 ? taille : 65536;
    const ssize_t n = ::write(fd, donnees, morceau);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    donnees += n;
    taille -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::vector<std::string> DecouperLignes(const std::string& contenu) {
  std::vector<std::string> lignes;
  std::size_t debut = 0;
  while (debut < contenu.size()) {
    std::size_t fin = contenu.find('\n', debut);
    if (fin == std::string::npos) fin = contenu.size();
    std::string ligne = contenu.substr(debut, fin - debut);
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    lignes.push_back(std::move(ligne));
    debut = fin + 1;
  }
  return lignes;
}

void SimulerPanneEcriture(int apresNombreEcritures) { gPanneApres = apresNombreEcritures; }
void SimulerPanneRenommage() { gPanneRenommage = true; }
void SimulerPanneLecture() { gPanneLecture = true; }

std::string LireFichierEntier(const fs::path& chemin) {
  const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) LeverErreurFichier(errno, Texte(chemin));
  std::string contenu;
  char tampon[65536];
  for (;;) {
    if (gPanneLecture) {
      gPanneLecture = false;
      ::close(fd);
      LeverErreurFichier(EIO, Texte(chemin));
    }
    const ssize_t n = ::read(fd, tampon, sizeof tampon);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      ::close(fd);
      LeverErreurFichier(e, Texte(chemin));
    }
    if (n == 0) break;
    contenu.append(tampon, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return contenu;
}

namespace {

// Refused as the system would refuse it: the errno of access(), or EACCES when
// the owner's write bit is off. The mode bits decide too, so a privileged user,
// whom the system lets write anything, still finds a read-only file read-only.
int RefusEcriture(const fs::path& p, const struct stat& s) {
  if (::access(p.c_str(), W_OK) != 0) return errno;
  return (s.st_mode & S_IWUSR) == 0 ? EACCES : 0;
}

fs::path Dossier(const fs::path& p) {
  const fs::path d = p.parent_path();
  return d.empty() ? fs::path(".") : d;
}

}  // namespace

void VerifierEcriture(const fs::path& cible) {
  struct stat s {};
  if (::stat(cible.c_str(), &s) == 0) {
    if (S_ISDIR(s.st_mode)) LeverErreurFichier(EISDIR, Texte(cible));
    if (const int e = RefusEcriture(cible, s)) LeverErreurFichier(e, Texte(cible));
  }
  // A folder that is missing or not one is left to the write, whose error says so.
  const fs::path dossier = Dossier(cible);
  if (::stat(dossier.c_str(), &s) == 0 && S_ISDIR(s.st_mode))
    if (const int e = RefusEcriture(dossier, s)) LeverErreurFichier(e, Texte(dossier));
}

// Writes the content to the work file beside the target, flushes it to disk,
// then renames it over the target: the target is either the old or the new
// content, never a half-written one. Errors name the target, the file the user
// knows; the work file never outlives the call.
void RemplacerFichierEntier(const fs::path& cible, const std::string& contenu, const fs::path& travail,
                            unsigned modeNouveau) {
  VerifierEcriture(cible);
  struct stat ancien {};
  const bool existe = ::stat(cible.c_str(), &ancien) == 0;
  // A work file left by a crash, or a link put in its place, is not written through.
  ::unlink(travail.c_str());
  // A new file takes the mode asked for, less the umask; a replacement is the
  // same file to its users: same permissions (made before any byte is written, so
  // a private file is never for a moment readable by others), and the same owner
  // when the system allows it.
  const mode_t mode = existe ? (ancien.st_mode & 0777) : static_cast<mode_t>(modeNouveau & 0777);
  const int fd = ::open(travail.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, existe ? static_cast<mode_t>(0600) : mode);
  if (fd < 0) LeverErreurFichier(errno, Texte(cible));
  if (existe) {
    const bool proprietaire = ::fchown(fd, ancien.st_uid, ancien.st_gid) == 0;
    (void)proprietaire;  // giving a file away is not ours to do; its permissions are
    if (::fchmod(fd, mode) != 0) {
      const int e = errno;
      ::close(fd);
      ::unlink(travail.c_str());
      LeverErreurFichier(e, Texte(cible));
    }
  }
  if (!EcrireTout(fd, contenu.data(), contenu.size()) || ::fsync(fd) != 0) {
    const int e = errno;
    ::close(fd);
    ::unlink(travail.c_str());
    LeverErreurFichier(e, Texte(cible));
  }
  if (::close(fd) != 0) {
    const int e = errno;
    ::unlink(travail.c_str());
    LeverErreurFichier(e, Texte(cible));
  }
  if (gPanneRenommage || ::rename(travail.c_str(), cible.c_str()) != 0) {
    const int e = gPanneRenommage ? EACCES : errno;
    gPanneRenommage = false;
    ::unlink(travail.c_str());
    LeverErreurFichier(e, Texte(cible));
  }
}

void RemplacerFichierEntier(const fs::path& cible, const std::string& contenu, unsigned modeNouveau) {
  fs::path travail = cible;
  travail += ".tmp";
  RemplacerFichierEntier(cible, contenu, travail, modeNouveau);
}

}  // namespace selvane
