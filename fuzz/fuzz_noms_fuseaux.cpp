// "Zones_Numbers.tzn": the first line is the zone name asked for, the rest the
// file. A number found is the text after the name's TAB on a line of that name.
#include "fuzz/Commun.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/Fuseaux.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  std::string nom, fichier;
  fuzz::Couper(fuzz::Texte(d, n), nom, fichier);
  fuzz::Ecrire(fuzz::Dossier() / "Zones_Numbers.tzn", fichier);
  const auto numero = LireFuseauActuel(fuzz::Dossier(), nom);
  if (numero) {
    VERIFIER(numero->find('\n') == std::string::npos);
    VERIFIER(fichier.find(nom + "\t" + *numero) != std::string::npos);
  }
  return 0;
}
