// The interpretation file ("ZadadAduZi.int"): first line the key asked, then the file. The
// indexed reader gives exactly what rescanning the file gives, in both modes, for that key and
// for the file's own first key line; no text holds a line end.
#include "forecast/Interpretation.h"
#include "fuzz/Commun.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  std::string cle, octets;
  fuzz::Couper(fuzz::Texte(d, n), cle, octets);
  if (!cle.empty() && cle.back() == '\r') cle.pop_back();
  const std::filesystem::path chemin = fuzz::Dossier() / NomFichierInterpretation;
  fuzz::Ecrire(chemin, octets);
  IndexInterpretation index(octets);
  RelectureInterpretation relecture(chemin);
  std::string propre;  // the first line beginning with "_", trimmed: a key the file has
  for (std::size_t debut = 0; debut < octets.size();) {
    std::size_t fin = octets.find('\n', debut);
    if (fin == std::string::npos) fin = octets.size();
    if (octets[debut] == '_') {
      propre = std::string(RognerLigneCle(std::string_view(octets).substr(debut, fin - debut)));
      break;
    }
    debut = fin + 1;
  }
  for (const std::string& k : {cle, propre})
    for (ModeInterpretation mode : {ModeInterpretation::PremierTexte, ModeInterpretation::TousLesTextes}) {
      const std::vector<std::string> textes = index.ChercherInterpretation(k, mode);
      VERIFIER(textes == relecture.ChercherInterpretation(k, mode));
      VERIFIER(mode == ModeInterpretation::TousLesTextes || textes.size() <= 1);
      for (const std::string& t : textes) VERIFIER(t.find('\n') == std::string::npos);
    }
  return 0;
}
