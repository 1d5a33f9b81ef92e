// Saved chart files (".cht"): the record read is written back and read again
// unchanged, and it gives a chart or the conversion error.
#include "Calcul.h"
#include "Commun.h"
#include "Ephemerides.h"
#include "EtatTheme.h"
#include "FichierNaissance.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  ReinitialiserEtat();
  OuvrirEphemerides();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const auto chemin = fuzz::Dossier() / "Lu.cht";
  const auto copie = fuzz::Dossier() / "Copie.cht";
  fuzz::Ecrire(chemin, fuzz::Texte(d, n));
  const FicheClient f = LireFichierTheme(chemin);
  EcrireFichierTheme(copie, f);
  VERIFIER(LireFichierTheme(copie) == f);
  Etat().FicheEnCours = f;
  try {
    CalculerTheme(EcartGlyphes8);
  } catch (const ErreurConversion&) {
  }
  return 0;
}
