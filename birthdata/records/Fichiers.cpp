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

std::string LireFichierEntier(const fs::path& chemin) {
  const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) LeverErreurFichier(errno, Texte(chemin));
  std::string contenu;
  char tampon[65536];
  for (;;) {
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

// Writes the content to the work file beside the target, flushes it to disk,
// then renames it over the target: the target is either the old or the new
// content, never a half-written one. Errors name the target, the file the user
// knows; the work file never outlives the call.
void RemplacerFichierEntier(const fs::path& cible, const std::string& contenu, const fs::path& travail) {
  // A work file left by a crash, or a link put in its place, is not written through.
  ::unlink(travail.c_str());
  const int fd = ::open(travail.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) LeverErreurFichier(errno, Texte(cible));
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

void RemplacerFichierEntier(const fs::path& cible, const std::string& contenu) {
  fs::path travail = cible;
  travail += ".tmp";
  RemplacerFichierEntier(cible, contenu, travail);
}

}  // namespace selvane
