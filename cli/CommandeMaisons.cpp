// selvane-cli houses: the twelve houses of the six Uranian frames and of the meridian houses.
#include <cstdio>
#include <string>

#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ThemeNatal.h"
#include "core/EtatTheme.h"
#include "techniques/HoroscopesUraniens.h"

namespace selvane {

int CommandeMaisons(const Appel& a) {
  OptionsLues lues;
  const int statut = PreparerThemeNatal(a, {}, lues);
  if (statut != 0) return statut;
  static const char* const noms[NbCadres] = {"sun", "moon", "ascendant", "mc", "aries_point", "node", "meridian"};
  std::string s = "frame,house,cusp_deg,bodies\n";
  for (const LigneCadre& l : LignesCadres(LireLongitudesNatales(), Etat().TempsSideralDeg, Etat().ObliquiteRad)) {
    s += std::string(noms[l.item]) + "," + std::to_string(l.maison) + "," + Nombre6(l.cuspideDeg) + ",";
    for (std::size_t i = 0; i < l.corps.size(); ++i) s += (i ? "=" : "") + std::to_string(l.corps[i]);
    s += "\n";
  }
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
