// selvane-cli arc: the solar arc of a date and the 23 directed points.
#include <cstdio>

#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"

namespace selvane {

int CommandeArc(const Appel& a) {
  OptionsPrevision options;
  if (!LireOptionsPrevision(a, options)) return 2;
  EtatPrevision etat;
  ChampsPrevision champs;
  champs.technique = TechniquePrevision::ArcSolaire;
  if (!OuvrirNaissance(options, etat, champs) || !LireDateOption(options, "--on", champs.date)) return 2;
  const ResultatPrevision r = CalculerPrevision(etat, champs, {});
  std::string s = "kind,index,value\narc,0," + Nombre6(r.longitude * RadEnDeg) + "\n";
  for (int b = 1; b <= 23; ++b)
    s += "directed," + std::to_string(b) + "," + Nombre6(Etat().Positions[b][2] * RadEnDeg) + "\n";
  EcrireCsv(s, options.lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
