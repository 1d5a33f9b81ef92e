// The default city ("Vildef.def"): what is read is written back and read again
// unchanged; a short file is the file error, nothing else.
#include "birthdata/Atlas.h"
#include "fuzz/Commun.h"
#include "birthdata/records/ErreurFichier.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  std::filesystem::create_directories(fuzz::Dossier() / "copie");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  fuzz::Ecrire(fuzz::Dossier() / "Vildef.def", fuzz::Texte(d, n));
  VilleDefaut v;
  try {
    v = LireVilleDefaut(fuzz::Dossier());
  } catch (const ErreurFichier&) {
    return 0;
  }
  EcrireVilleDefaut(fuzz::Dossier() / "copie", v);
  const VilleDefaut relue = LireVilleDefaut(fuzz::Dossier() / "copie");
  VERIFIER(relue.ville == v.ville && relue.pays == v.pays && relue.lat == v.lat && relue.lon == v.lon &&
           relue.zone == v.zone);
  return 0;
}
