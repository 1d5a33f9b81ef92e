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
namespace {

bool LireEntier(const std::string& t, int min, int max, int& v) {
  if (t.empty()) return false;
  char* fin = nullptr;
  const long x = std::strtol(t.c_str(), &fin, 10);
  if (*fin != '\0' || x < min || x > max) return false;
  v = static_cast<int>(x);
  return true;
}

}  // namespace

int CommandeArbres(int argc, char** argv) {
  int harmonique = 4, orbe = 5;  // the window opens on "H4  90°" and "0°30'"
  const int statut = PreparerThemeNatal(argc, argv, [&](const std::string& option, const std::string& valeur) {
    if (option == "--harmonic") {
      if (LireEntier(valeur, 1, NbHarmoniquesArbres, harmonique)) return OptionLue::Reconnue;
      Avertir("Harmonique incorrect : " + valeur + " (1 à 16)");
      return OptionLue::Refusee;
    }
    if (option == "--orb-index") {
      if (LireEntier(valeur, 0, NbOrbesArbres - 1, orbe)) return OptionLue::Reconnue;
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
           "," + Degres6(l.ecart * RadEnDeg) + "\n";
  std::fwrite(s.data(), 1, s.size(), stdout);
  return 0;
}

}  // namespace selvane
