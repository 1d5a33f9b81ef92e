// "TZDBCel.tzb": the first seven bytes pick a local date and time, the first
// line the zone number, the rest is the file. The lookup gives a zone text,
// local mean time, the 2050 refusal, nothing, or the conversion error of a
// damaged field.
#include "core/Avertissements.h"
#include "fuzz/Commun.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/Fuseaux.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  if (n < 7) return 0;
  const int jour = d[0] % 31 + 1, mois = d[1] % 12 + 1, annee = (d[2] << 8 | d[3]) % 2100 + 1;
  const int heures = d[4] % 24, minutes = d[5] % 60, secondes = d[6] % 60;
  std::string numero, fichier;
  fuzz::Couper(fuzz::Texte(d + 7, n - 7), numero, fichier);
  fuzz::Ecrire(fuzz::Dossier() / "TZDBCel.tzb", fichier);
  try {
    const Regime r =
        ChercherRegimeFromDate(fuzz::Dossier(), numero, jour, mois, annee, heures, minutes, secondes);
    // The zone text of an offset: "hh.mm.ss", "-" first when west.
    if (r.genre == Regime::Fuseau)
      VERIFIER(r.texte.size() == 8 || (r.texte.size() == 9 && r.texte[0] == '-'));
    if (r.genre == Regime::HeureLocale) VERIFIER(r.texte == "L");
  } catch (const ErreurConversion&) {
  }
  return 0;
}
