#include "birthdata/records/FichierNaissance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"

namespace selvane {

namespace fs = std::filesystem;

namespace {

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
  const std::string octets = LireFichierEntier(chemin);
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
  RemplacerFichierEntier(chemin, Encoder(fiches), Travail(chemin));
}

fs::path CheminSauvegarde(const fs::path& chemin) {
  fs::path p = chemin;
  p.replace_extension(".thr.bak");
  return p;
}

void InsererFiche(const fs::path& chemin, const FicheClient& fiche) { InsererFiches(chemin, {fiche}); }

void InsererFiches(const fs::path& chemin, const std::vector<FicheClient>& nouvelles) {
  // Both files are checked before either is touched: a read-only file or backup
  // leaves the two as they were.
  VerifierEcriture(chemin);
  VerifierEcriture(CheminSauvegarde(chemin));
  const std::string avant = LireFichierEntier(chemin);
  // The backup is written whole before anything else changes; a new one is no
  // more readable than the file it copies.
  struct stat s {};
  const unsigned mode = ::stat(chemin.c_str(), &s) == 0 ? (s.st_mode & 0777) : 0644;
  RemplacerFichierEntier(CheminSauvegarde(chemin), avant, mode);

  // Records are kept as their bytes: those already in the file are written back
  // unchanged, the bytes after each text included.
  const std::size_t taille = FicheClient::TailleEnregistrement;
  std::vector<std::string> blocs;
  std::vector<std::string> cles;
  for (std::size_t i = 0; i + taille <= avant.size(); i += taille) {
    blocs.push_back(avant.substr(i, taille));
    ChaineCourte<30> cle;
    cle.Lire(reinterpret_cast<const unsigned char*>(avant.data() + i + 37));
    cles.push_back(cle.Chaine());
  }
  std::vector<std::size_t> ordre(blocs.size());
  for (std::size_t i = 0; i < ordre.size(); ++i) ordre[i] = i;
  for (const FicheClient& f : nouvelles) {
    std::string bloc(taille, '\0');
    EncoderFiche(f, reinterpret_cast<unsigned char*>(&bloc[0]));
    const std::string cle = f.SortOrder.Chaine();
    // Before the first record whose key is greater or equal, as one insertion at a time would.
    std::size_t place = ordre.size();
    for (std::size_t k = 0; k < ordre.size(); ++k) {
      if (ComparerCles(cle, cles[ordre[k]]) <= 0) {
        place = k;
        break;
      }
    }
    blocs.push_back(std::move(bloc));
    cles.push_back(cle);
    ordre.insert(ordre.begin() + static_cast<std::ptrdiff_t>(place), blocs.size() - 1);
  }
  std::string apres;
  apres.reserve(ordre.size() * taille);
  for (std::size_t i : ordre) apres += blocs[i];

  const fs::path travail = Travail(chemin);
  ::unlink(travail.c_str());  // a stale work file from an earlier failure
  RemplacerFichierEntier(chemin, apres, travail);
}

void EffacerFichierNaissance(const fs::path& chemin) {
  // A read-only file is not erased either, whatever its folder allows.
  VerifierEcriture(chemin);
  if (::unlink(chemin.c_str()) != 0) LeverErreurFichier(errno, chemin.string());
}

void EcrireFichierTheme(const fs::path& chemin, const FicheClient& f) {
  std::string s;
  for (std::string_view ligne : {f.Nom.Texte(), f.Date.Texte(), f.Heure.Texte(), f.Ville.Texte(),
                                 f.Lat.Texte(), f.Long.Texte(), f.Fuseau.Texte(), f.Commentaire.Texte()}) {
    // A line end inside a field (a record of an old file) would shift every line after it.
    for (char c : ligne) s += c == '\n' ? ' ' : c;
    s += "\r\n";
  }
  RemplacerFichierEntier(chemin, s);
}

FicheClient LireFichierTheme(const fs::path& chemin) {
  std::vector<std::string> lignes = DecouperLignes(LireFichierEntier(chemin));
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
