// Birth files (".thz"): every record read survives a round trip through its
// bytes, an insertion backs the old file up byte for byte and adds exactly one
// record, and the first record gives a chart or the conversion error.
#include "fuzz/Commun.h"
#include "birthdata/records/FichierNaissance.h"
#include "birthdata/records/Fichiers.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InitialiserTheme();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const std::string avant = fuzz::Texte(d, n);
  const auto chemin = fuzz::Dossier() / "Groupe.thz";
  fuzz::Ecrire(chemin, avant);
  const std::vector<FicheClient> fiches = LireFichierNaissance(chemin);
  VERIFIER(fiches.size() == n / FicheClient::TailleEnregistrement);
  for (const FicheClient& f : fiches) {
    unsigned char octets[FicheClient::TailleEnregistrement];
    EncoderFiche(f, octets);
    VERIFIER(DecoderFiche(octets) == f);
  }

  FicheClient nouvelle = fiches.empty() ? FicheClient() : fiches.back();
  nouvelle.Nom = "FUZZ,Nouvelle";
  InsererFiche(chemin, nouvelle);
  VERIFIER(LireFichierEntier(CheminSauvegarde(chemin)) == avant);
  const std::vector<FicheClient> apres = LireFichierNaissance(chemin);
  VERIFIER(apres.size() == fiches.size() + 1);
  std::size_t trouvees = 0;
  for (const FicheClient& f : apres) trouvees += f == nouvelle;
  VERIFIER(trouvees >= 1);

  if (!fiches.empty()) fuzz::EssayerTheme(fiches.front());
  return 0;
}
