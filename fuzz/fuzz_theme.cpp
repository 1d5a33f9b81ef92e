// Saved chart files (".cht"): the record read is written back and read again
// unchanged, and it gives a chart or the conversion error.
#include "fuzz/Commun.h"
#include "birthdata/records/FichierNaissance.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InitialiserTheme();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const auto chemin = fuzz::Dossier() / "Lu.cht";
  const auto copie = fuzz::Dossier() / "Copie.cht";
  fuzz::Ecrire(chemin, fuzz::Texte(d, n));
  const FicheClient f = LireFichierTheme(chemin);
  EcrireFichierTheme(copie, f);
  VERIFIER(LireFichierTheme(copie) == f);
  fuzz::EssayerTheme(f);
  return 0;
}
