// `births import`: a CSV text imported into a birth file of two records either
// adds its records, the old file kept byte for byte as the backup and every
// new record passing the entry checks, or changes nothing.
#include "fuzz/Commun.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/FichierNaissance.h"
#include "birthdata/records/Fichiers.h"
#include "cli/Naissances.h"

using namespace selvane;

namespace {
std::string gDepart;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  FicheClient a, b;
  a.Nom = "BERNARD,Ana";
  a.SortOrder = "BERNARDANA";
  a.Date = "01/02/1960";
  b.Nom = "MARTIN,Paul";
  b.SortOrder = "MARTINPAUL";
  b.Date = "03/04/1970";
  const auto chemin = fuzz::Dossier() / "Groupe.thz";
  RecrireFichierNaissance(chemin, {a, b});
  gDepart = LireFichierEntier(chemin);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const auto chemin = fuzz::Dossier() / "Groupe.thz";
  fuzz::Ecrire(chemin, gDepart);
  std::filesystem::remove(CheminSauvegarde(chemin));
  const int statut = ImporterTexte(chemin, fuzz::Texte(d, n));
  VERIFIER(statut == 0 || statut == 2);
  const std::string apres = LireFichierEntier(chemin);
  if (statut == 2 || apres == gDepart) {
    VERIFIER(apres == gDepart);
    return 0;
  }
  VERIFIER(LireFichierEntier(CheminSauvegarde(chemin)) == gDepart);
  for (const FicheClient& f : LireFichierNaissance(chemin))
    VERIFIER(f.Nom.Chaine() == "BERNARD,Ana" || f.Nom.Chaine() == "MARTIN,Paul" ||
             (DateValide(f.Date.Texte()) && HeureValide(f.Heure.Texte())));
  return 0;
}
