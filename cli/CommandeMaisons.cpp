// selvane-cli houses: the twelve houses of the six Uranian frames and of the meridian houses,
// and the page the window prints of them.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/EtatTheme.h"
#include "techniques/DessinCadres.h"
#include "techniques/HoroscopesUraniens.h"

namespace selvane {
namespace {

const char* const NomsCadres[NbCadres] = {"sun", "moon", "ascendant", "mc", "aries_point", "node", "meridian"};

}  // namespace

int CommandeMaisons(const Appel& a) {
  std::optional<int> cadreSeul;
  int orbe = 11;  // the window opens on "1°"
  OptionsLues lues;
  const int statut = PreparerThemeNatal(
      a,
      {{"--frame",
        [&](const std::string& valeur) {
          for (int i = 0; i < NbCadres; ++i)
            if (valeur == NomsCadres[i]) {
              cadreSeul = i;
              return true;
            }
          Avertir("Cadre inconnu : " + valeur + " (sun, moon, ascendant, mc, aries_point, node ou meridian)");
          return false;
        }},
       {"--orb-index", [&](const std::string& valeur) {
          if (LireEntierBorne(valeur, 0, NbOrbesConnexions - 1, orbe)) return true;
          Avertir("Orbe incorrect : " + valeur + " (0 à 23)");
          return false;
        }}},
      lues);
  if (statut != 0) return statut;
  std::string s = "frame,house,cusp_deg,bodies\n";
  for (const LigneCadre& l : LignesCadres(LireLongitudesNatales(), Etat().TempsSideralDeg, Etat().ObliquiteRad)) {
    s += std::string(NomsCadres[l.item]) + "," + std::to_string(l.maison) + "," + Nombre6(l.cuspideDeg) + ",";
    for (std::size_t i = 0; i < l.corps.size(); ++i) s += (i ? "=" : "") + std::to_string(l.corps[i]);
    s += "\n";
  }
  if (lues.Present("--pdf")) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    const EtatTheme& e = Etat();
    const ThemeCadres theme = ThemeDesCadres(e);
    std::optional<double> orbeDeg;
    if (lues.Present("--connections")) orbeDeg = OrbeConnexionDeg(orbe);
    const QStringList cachet = LignesCachet(ContexteDuTheme(e));
    DocumentImprime d;
    if (cadreSeul) {
      d = DocumentUnCadre(EnteteDesCadres(e), DonneesDuCadre(theme, *cadreSeul, EcartCadresImprimes, orbeDeg, e.JeuPlanetes),
                          cachet);
    } else {
      std::array<DonneesCadre, 6> cadres;
      for (int i = 0; i < 6; ++i)
        cadres[static_cast<std::size_t>(i)] = DonneesDuCadre(theme, i, EcartCadresImprimes, orbeDeg, e.JeuPlanetes);
      d = DocumentSixCadres(EnteteDesCadres(e), cadres, cachet);
    }
    if (!EcrirePdfDemande(d, lues)) return 2;
  }
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
