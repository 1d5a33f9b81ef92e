// selvane-cli table: the forecast table of the natal chart or of a comparison chart.
#include <cstdio>

#include "birthdata/Saisie.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "forecast/TableMiPoints.h"

namespace selvane {

int CommandeTable(const Appel& a) {
  OptionsPrevision options;
  if (!LireOptionsPrevision(a, options)) return 2;
  int h = 1;
  if (options.Present("--harmonic")) {
    const std::string texte = options.Valeur("--harmonic");
    h = 0;
    for (int item = 0; item <= 16; ++item)
      if (texte == std::to_string(HarmoniqueDeLItem(item))) h = HarmoniqueDeLItem(item);
    if (h == 0) {
      Avertir("Harmonique incorrecte : " + texte + " (1 à 16 ou 32)");
      return 2;
    }
  }
  ChampsPrevision champs;
  if (!LireTechniqueOption(options, champs)) return 2;
  EtatPrevision etat;
  if (!OuvrirNaissance(options, etat, champs)) return 2;
  if (const int statut = CalculerTechniqueOption(options, etat, champs)) return statut;
  const std::vector<double> longitudes = LongitudesDeColonne(ColonneDeLaTechnique(champs.technique));
  std::string s = "a,b,position,code\n";
  for (const LigneTableMiPoints& l : CalculerMiPoints(longitudes.data(), h))
    s += std::to_string(l.a) + "," + std::to_string(l.b) + "," + Nombre6(l.positionDeg) + "," + l.code + "\n";
  EcrireCsv(s, options.lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
