// selvane-cli trees: the midpoint trees of every body of a birth, in the window's order.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Commandes.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "techniques/ArbresMP.h"

namespace selvane {
int CommandeArbres(int argc, char** argv) {
  int harmonique = 4, orbe = 5;  // the window opens on "H4  90°" and "0°30'"
  const int statut = PreparerThemeNatal(argc, argv, [&](const std::string& option, const std::string& valeur) {
    if (option == "--harmonic") {
      if (LireEntierBorne(valeur, 1, NbHarmoniquesArbres, harmonique)) return OptionLue::Reconnue;
      Avertir("Harmonique incorrect : " + valeur + " (1 à 16)");
      return OptionLue::Refusee;
    }
    if (option == "--orb-index") {
      if (LireEntierBorne(valeur, 0, NbOrbesArbres - 1, orbe)) return OptionLue::Reconnue;
      Avertir("Orbe incorrect : " + valeur + " (0 à 23)");
      return OptionLue::Refusee;
    }
    return OptionLue::Inconnue;
  });
  if (statut != 0) return statut;
  std::string s = "root,body1,body2,offset_deg\n";
  for (const ArbreMP& a : CalculerArbres(LireLongitudesNatales(), Etat().JeuPlanetes, harmonique, OrbeArbres(orbe)))
    for (const LigneArbre& l : a.lignes)
      s += std::to_string(a.racine) + "," + std::to_string(l.corps1) + "," + (l.corps2 ? std::to_string(l.corps2) : "") +
           "," + Nombre6(l.ecart * RadEnDeg) + "\n";
  std::fwrite(s.data(), 1, s.size(), stdout);
  return 0;
}

}  // namespace selvane
