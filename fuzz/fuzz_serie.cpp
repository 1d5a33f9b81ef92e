// The lines of `chart --batch`: a line gives 24 finite longitudes of 0..360
// degrees or a French message, never a chart of a line it did not understand.
#include <cmath>
#include <cstdlib>

#include "fuzz/Commun.h"
#include "birthdata/records/Fichiers.h"
#include "cli/SerieThemes.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  PreparerCalcul();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  int numero = 0;
  for (const std::string& ligne : DecouperLignes(fuzz::Texte(d, n))) {
    std::string sortie;
    if (!ThemeDeLigne(ligne, ++numero, sortie)) {
      VERIFIER(sortie.empty());
      continue;
    }
    int valeurs = 0;
    const char* p = sortie.c_str();
    while (*p) {
      char* fin = nullptr;
      const double x = std::strtod(p, &fin);
      VERIFIER(fin != p && std::isfinite(x) && x >= 0 && x < 360.000001);
      ++valeurs;
      p = *fin == ',' ? fin + 1 : fin;
    }
    VERIFIER(valeurs == 24);
  }
  return 0;
}
