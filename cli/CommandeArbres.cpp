// selvane-cli trees: the midpoint trees of every body of a birth, in the window's order, and
// the page the window prints of them.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "techniques/ArbresMP.h"
#include "techniques/DessinArbres.h"

namespace selvane {
int CommandeArbres(const Appel& a) {
  int harmonique = 4, orbe = 5;  // the window opens on "H4  90°" and "0°30'"
  OptionsLues lues;
  const int statut = PreparerThemeNatal(
      a, {{"--harmonic",
           [&](const std::string& valeur) {
             if (LireEntierBorne(valeur, 1, NbHarmoniquesArbres, harmonique)) return true;
             Avertir("Harmonique incorrect : " + valeur + " (1 à 16)");
             return false;
           }},
          {"--orb-index", [&](const std::string& valeur) {
             if (LireEntierBorne(valeur, 0, NbOrbesArbres - 1, orbe)) return true;
             Avertir("Orbe incorrect : " + valeur + " (0 à 23)");
             return false;
           }}},
      lues);
  if (statut != 0) return statut;
  const std::vector<ArbreMP> arbres = CalculerArbres(LireLongitudesNatales(), Etat().JeuPlanetes, harmonique, OrbeArbres(orbe));
  if (lues.Present("--pdf")) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    const DocumentImprime d =
        DocumentArbres(arbres, EnteteDesArbres(Etat(), harmonique, orbe), LignesCachet(ContexteDuTheme(Etat())));
    if (!EcrirePdfDemande(d, lues)) return 2;
    // As the window: the page is printed, then the reader is told.
    if (NombreMiPoints(arbres) > MiPointsMax) Avertir("IL y a trop de mi-points : diminuez l'orbe");
  }
  std::string s = "root,body1,body2,offset_deg\n";
  for (const ArbreMP& a : arbres)
    for (const LigneArbre& l : a.lignes)
      s += std::to_string(a.racine) + "," + std::to_string(l.corps1) + "," + (l.corps2 ? std::to_string(l.corps2) : "") +
           "," + Nombre6(l.ecart * RadEnDeg) + "\n";
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
