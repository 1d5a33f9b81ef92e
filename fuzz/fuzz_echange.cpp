// The AAF reader, with its completion from a small atlas of three French towns
// and a zone of a few regimes: any text gives records that pass the entry
// checks, or refusals it counts; the records written back read as themselves.
#include <cctype>
#include <string>
#include <vector>

#include "birthdata/Atlas.h"
#include "birthdata/CompletionAtlas.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Echange.h"
#include "fuzz/Commun.h"

using namespace selvane;

namespace {

const CompletionAtlas* gCompletion = nullptr;

void EcrireAtlas() {
  // In key order: EVREUX, LYON, PARIS.
  const char* villes[][3] = {{"\xC9vreux", "49.01", "1.09"}, {"Lyon", "45.45", "4.50"}, {"Paris", "48.52", "2.20"}};
  std::string octets;
  for (const auto& v : villes) {
    CityRecord c;
    c.Ville = v[0];
    c.Pays = "France";
    c.Lat = v[1];
    c.Long = v[2];
    c.CountryCode = "FR";
    c.ZoneName = "Europe/Paris";
    c.SearchKey = PlierCle(v[0]);
    unsigned char record[CityRecord::TailleEnregistrement];
    EncoderVille(c, record);
    octets.append(reinterpret_cast<const char*>(record), sizeof record);
  }
  fuzz::Ecrire(fuzz::Dossier() / "France.cty", octets);
  fuzz::Ecrire(fuzz::Dossier() / "Zones_Numbers.tzn", "Europe/Paris\t7\r\n");
  fuzz::Ecrire(fuzz::Dossier() / "TZDBCel.tzb",
               "7\tEurope/Paris\t-1099511627776\t561\tLMT\t0\r\n"
               "7\tEurope/Paris\t-1855958961\t0\tWET\t2\r\n"
               "7\tEurope/Paris\t-932432400\t3600\tCET\t2\r\n"
               "7\tEurope/Paris\t196819200\t7200\tCEST\t1\r\n"
               "7\tEurope/Paris\t212540400\t3600\tCET\t2\r\n");
}

// The records of a text as the reader sees them: lines (ended by CR, LF or
// both) whose chunk name, up to the colon, is A93 in any case.
std::size_t Fiches(const std::string& texte) {
  std::size_t n = 0;
  for (std::size_t debut = 0; debut < texte.size();) {
    std::size_t fin = texte.find_first_of("\r\n", debut);
    if (fin == std::string::npos) fin = texte.size();
    const std::string ligne = texte.substr(debut, fin - debut);
    debut = fin + (texte.compare(fin, 2, "\r\n") == 0 ? 2 : 1);
    const std::size_t deuxPoints = ligne.find(':');
    if (ligne.size() < 5 || ligne[0] != '#' || deuxPoints != 4) continue;
    std::string id = ligne.substr(1, 3);
    for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    n += id == "A93";
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  EcrireAtlas();
  static const CompletionAtlas completion(fuzz::Dossier());
  gCompletion = &completion;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const std::string texte = fuzz::Texte(d, n);
  const LectureEchange l = LireAaf(texte, gCompletion);
  if (!l.erreur.empty()) {
    VERIFIER(l.fiches.empty() && l.refusees == 0);
    return 0;
  }
  // Every record starting a line is imported or refused, each refusal in the report.
  VERIFIER(l.fiches.size() + static_cast<std::size_t>(l.refusees) == Fiches(TexteEnUtf8(texte)));
  VERIFIER(l.rapport.size() >= static_cast<std::size_t>(l.refusees));
  for (const FicheClient& f : l.fiches) {
    VERIFIER(ErreurFiche(f).empty());
    VERIFIER(gCompletion->Controler(f).empty());
    VERIFIER(f.SortOrder == CleDeTri(f.Nom.Texte()));
  }
  // Written and read again: the same number of records, none refused, the same birth data.
  const LectureEchange relue = LireAaf(EcrireAaf(l.fiches, gCompletion), gCompletion);
  VERIFIER(relue.refusees == 0);
  VERIFIER(relue.fiches.size() == l.fiches.size());
  for (std::size_t i = 0; i < l.fiches.size() && i < relue.fiches.size(); ++i) {
    const FicheClient &a = l.fiches[i], &b = relue.fiches[i];
    VERIFIER(a.Date == b.Date && a.Heure == b.Heure && a.Lat == b.Lat && a.Long == b.Long && a.Fuseau == b.Fuseau);
  }
  return 0;
}
