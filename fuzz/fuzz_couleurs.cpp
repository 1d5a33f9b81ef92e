// Colour files ("OColorsScreen.txt" and the six others): 42 colours read, or
// the conversion or file error; what is read is written back and read again
// unchanged.
#include "fuzz/Commun.h"
#include "birthdata/records/ErreurFichier.h"
#include "reglages/Reglages.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const auto chemin = fuzz::Dossier() / "OColorsScreen.txt";
  fuzz::Ecrire(chemin, fuzz::Texte(d, n));
  JeuCouleurs couleurs;
  try {
    couleurs = LireFichierCouleurs(chemin);
  } catch (const ErreurConversion&) {
    return 0;
  } catch (const ErreurFichier&) {
    return 0;
  }
  const auto copie = fuzz::Dossier() / "OColorsPrint.txt";
  EcrireFichierCouleurs(copie, couleurs);
  VERIFIER(LireFichierCouleurs(copie) == couleurs);
  return 0;
}
