// Atlas files (".cty"): the first line is the text typed in the search field,
// the rest the file. Find lands inside the file, the page shown around it is
// within the file, and every record read survives a round trip through its bytes.
#include "birthdata/Atlas.h"
#include "fuzz/Commun.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  std::string texte, fichier;
  fuzz::Couper(fuzz::Texte(d, n), texte, fichier);
  const auto chemin = fuzz::Dossier() / "Pays.cty";
  fuzz::Ecrire(chemin, fichier);
  FichierAtlas atlas(chemin);
  VERIFIER(atlas.Nombre() == static_cast<std::int64_t>(fichier.size() / CityRecord::TailleEnregistrement));
  const std::int64_t trouve = atlas.Chercher(texte);
  VERIFIER(trouve >= 0 && (atlas.Nombre() == 0 || trouve < atlas.Nombre()));
  for (int lignes : {16, 20}) {
    const std::int64_t debut = PremiereLigne(trouve, lignes / 2, lignes, atlas.Nombre());
    VERIFIER(debut >= 0 && debut <= atlas.Nombre());
    for (const CityRecord& v : atlas.Page(debut, lignes)) {
      unsigned char octets[CityRecord::TailleEnregistrement];
      EncoderVille(v, octets);
      const CityRecord relue = DecoderVille(octets);
      VERIFIER(relue.Ville == v.Ville && relue.Pays == v.Pays && relue.Lat == v.Lat && relue.Long == v.Long &&
               relue.CountryCode == v.CountryCode && relue.ZoneName == v.ZoneName &&
               relue.SearchKey == v.SearchKey);
    }
  }
  return 0;
}
