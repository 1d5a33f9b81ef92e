// selvane-cli ephemeris: the quick ephemeris table at 0h UT.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "techniques/EphemeridesRapides.h"
#include "techniques/ImpressionTables.h"

namespace selvane {

int CommandeEphemerides(const Appel& a) {
  int annee = 0, mois = 0;
  const Lecteurs lecteurs = {
      {"--year",
       [&](const std::string& valeur) {
         if (LireEntierBorne(valeur, PremiereAnneeEphemerides, DerniereAnneeEphemerides, annee)) return true;
         Avertir(valeur + " : année incorrecte (de 1500 à 2500)");
         return false;
       }},
      {"--month", [&](const std::string& valeur) {
         if (LireEntierBorne(valeur, 1, 12, mois)) return true;
         Avertir(valeur + " : mois incorrect (de 1 à 12)");
         return false;
       }}};
  OptionsLues lues;
  if (!a.Lire(lues, lecteurs)) return 2;
  if (!lues.Present("--year")) {
    Avertir(a.Usage());
    return 2;
  }
  OuvrirEphemerides();
  EffacerRefusEphemerides();
  const std::vector<LigneEphemeride> lignes = CalculerEphemeridesRapides(annee, mois);
  std::string s = "date,jd_ut,body,longitude,speed,retrograde\n";
  for (const LigneEphemeride& l : lignes) {
    const std::string debut = JourJulienVersDate(l.jourTU) + "," + FormatReel(l.jourTU, 0, 1) + ",";
    for (std::size_t k = 0; k < l.cellules.size(); ++k) {
      const CelluleEphemeride& c = l.cellules[k];
      s += debut + std::to_string(CorpsEphemeridesRapides[k]) + "," + Nombre6(c.longitudeDeg) + "," +
           Nombre6(c.vitesseDeg) + "," + (c.retrograde ? "1" : "0") + "\n";
    }
  }
  try {
    SignalerRefusEphemerides();
  } catch (const ErreurEphemerides& e) {
    Avertir(e.what());
    return 2;
  }
  if (lues.Present("--pdf")) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application ||
        !EcrirePdfDemande(DocumentEphemerides(lignes, annee, mois, LignesCachet(ContexteCachet{})), lues))
      return 2;
  }
  EcrireCsv(s, lues, ContexteCachet{});
  return 0;
}

}  // namespace selvane
