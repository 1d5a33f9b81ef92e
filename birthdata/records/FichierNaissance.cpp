#include "FichierNaissance.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CleTri.h"
#include "ErreurFichier.h"

namespace selvane {

namespace fs = std::filesystem;

namespace {

int gPanneApres = 0;  // 0: no injected failure

std::string Texte(const fs::path& p) { return p.string(); }

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

std::string LireTout(const fs::path& chemin) {
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
// content, never a half-written one. A failed work file is removed.
void RemplacerFichier(const fs::path& cible, const std::string& contenu, const fs::path& travail) {
  const int fd = ::open(travail.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) LeverErreurFichier(errno, Texte(travail));
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
  // If the rename fails the full new content stays in the work file.
  if (::rename(travail.c_str(), cible.c_str()) != 0) LeverErreurFichier(errno, Texte(cible));
}

fs::path Travail(const fs::path& chemin) { return chemin.parent_path() / NomFichierTravail; }

std::string Encoder(const std::vector<FicheClient>& fiches) {
  std::string octets(fiches.size() * FicheClient::TailleEnregistrement, '\0');
  for (std::size_t i = 0; i < fiches.size(); ++i)
    EncoderFiche(fiches[i], reinterpret_cast<unsigned char*>(&octets[i * FicheClient::TailleEnregistrement]));
  return octets;
}

template <std::size_t N>
void Champ(const ChaineCourte<N>& c, unsigned char*& o) {
  c.Ecrire(o);
  o += N + 1;
}

template <std::size_t N>
void Champ(ChaineCourte<N>& c, const unsigned char*& o) {
  c.Lire(o);
  o += N + 1;
}

}  // namespace

void SimulerPanneEcriture(int apresNombreEcritures) { gPanneApres = apresNombreEcritures; }

void EncoderFiche(const FicheClient& f, unsigned char* o) {
  Champ(f.Nom, o);
  Champ(f.SortOrder, o);
  Champ(f.Date, o);
  Champ(f.Heure, o);
  Champ(f.Ville, o);
  Champ(f.Lat, o);
  Champ(f.Long, o);
  Champ(f.Fuseau, o);
  Champ(f.Commentaire, o);
}

FicheClient DecoderFiche(const unsigned char* o) {
  FicheClient f;
  Champ(f.Nom, o);
  Champ(f.SortOrder, o);
  Champ(f.Date, o);
  Champ(f.Heure, o);
  Champ(f.Ville, o);
  Champ(f.Lat, o);
  Champ(f.Long, o);
  Champ(f.Fuseau, o);
  Champ(f.Commentaire, o);
  return f;
}

std::vector<FicheClient> LireFichierNaissance(const fs::path& chemin) {
  const std::string octets = LireTout(chemin);
  const std::size_t n = octets.size() / FicheClient::TailleEnregistrement;
  std::vector<FicheClient> fiches;
  fiches.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    fiches.push_back(DecoderFiche(
        reinterpret_cast<const unsigned char*>(octets.data() + i * FicheClient::TailleEnregistrement)));
  return fiches;
}

void CreerFichierNaissance(const fs::path& chemin, const FicheClient& fiche) {
  RecrireFichierNaissance(chemin, {fiche});
}

void RecrireFichierNaissance(const fs::path& chemin, const std::vector<FicheClient>& fiches) {
  RemplacerFichier(chemin, Encoder(fiches), Travail(chemin));
}

fs::path CheminSauvegarde(const fs::path& chemin) {
  fs::path p = chemin;
  p.replace_extension(".thr.bak");
  return p;
}

void InsererFiche(const fs::path& chemin, const FicheClient& fiche) {
  const std::string avant = LireTout(chemin);
  // The backup is written whole before anything else changes.
  const fs::path sauvegarde = CheminSauvegarde(chemin);
  fs::path travailSauvegarde = sauvegarde;
  travailSauvegarde += ".tmp";
  RemplacerFichier(sauvegarde, avant, travailSauvegarde);

  const std::size_t taille = FicheClient::TailleEnregistrement;
  const std::size_t n = avant.size() / taille;
  const std::string_view cle = fiche.SortOrder.Texte();
  std::size_t place = n;
  for (std::size_t i = 0; i < n; ++i) {
    const FicheClient lue = DecoderFiche(reinterpret_cast<const unsigned char*>(avant.data() + i * taille));
    if (ComparerCles(cle, lue.SortOrder.Texte()) <= 0) {
      place = i;
      break;
    }
  }
  std::string apres;
  apres.reserve((n + 1) * taille);
  apres.append(avant, 0, place * taille);
  std::string nouvelle(taille, '\0');
  EncoderFiche(fiche, reinterpret_cast<unsigned char*>(&nouvelle[0]));
  apres += nouvelle;
  apres.append(avant, place * taille, (n - place) * taille);  // a trailing partial record is dropped

  const fs::path travail = Travail(chemin);
  ::unlink(travail.c_str());  // a stale work file from an earlier failure
  RemplacerFichier(chemin, apres, travail);
}

void EffacerFichierNaissance(const fs::path& chemin) {
  if (::unlink(chemin.c_str()) != 0) LeverErreurFichier(errno, Texte(chemin));
}

void EcrireFichierTheme(const fs::path& chemin, const FicheClient& f) {
  std::string s;
  for (std::string_view ligne : {f.Nom.Texte(), f.Date.Texte(), f.Heure.Texte(), f.Ville.Texte(),
                                 f.Lat.Texte(), f.Long.Texte(), f.Fuseau.Texte(), f.Commentaire.Texte()}) {
    s += ligne;
    s += "\r\n";
  }
  fs::path travail = chemin;
  travail += ".tmp";
  RemplacerFichier(chemin, s, travail);
}

FicheClient LireFichierTheme(const fs::path& chemin) {
  const std::string contenu = LireTout(chemin);
  std::vector<std::string> lignes;
  std::size_t debut = 0;
  while (debut < contenu.size() && lignes.size() < 8) {
    std::size_t fin = contenu.find('\n', debut);
    if (fin == std::string::npos) fin = contenu.size();
    std::string ligne = contenu.substr(debut, fin - debut);
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    lignes.push_back(ligne);
    debut = fin + 1;
  }
  lignes.resize(8);
  FicheClient f;
  f.Nom = lignes[0];
  f.Date = lignes[1];
  f.Heure = lignes[2];
  f.Ville = lignes[3];
  f.Lat = lignes[4];
  f.Long = lignes[5];
  f.Fuseau = lignes[6];
  f.Commentaire = lignes[7];
  return f;
}

}  // namespace selvane
