// selvane-cli table: the forecast table of the natal chart or of a comparison chart, and the
// page the window prints of it.
#include <cstdio>

#include "birthdata/Saisie.h"
#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "forecast/DessinTableMiPoints.h"
#include "forecast/TableMiPoints.h"
#include "reglages/Reglages.h"

namespace selvane {

int CommandeTable(const Appel& a) {
  OptionsPrevision options;
  if (!LireOptionsPrevision(a, options)) return 2;
  int h = 1, itemHarmonique = 0;
  if (options.Present("--harmonic")) {
    const std::string texte = options.Valeur("--harmonic");
    h = 0;
    for (int item = 0; item <= 16; ++item)
      if (texte == std::to_string(HarmoniqueDeLItem(item))) {
        h = HarmoniqueDeLItem(item);
        itemHarmonique = item;
      }
    if (h == 0) {
      Avertir("Harmonique incorrecte : " + texte + " (1 à 16 ou 32)");
      return 2;
    }
  }
  ChampsPrevision champs;
  if (!LireTechniqueOption(options, champs)) return 2;
  EtatPrevision etat;
  if (!OuvrirNaissance(options, etat, champs)) return 2;
  // The birth record as the window keeps it from its opening: the natal table prints it.
  const FicheClient natale = Etat().FicheEnCours;
  if (const int statut = CalculerTechniqueOption(options, etat, champs)) return statut;
  const std::vector<double> longitudes = LongitudesDeColonne(ColonneDeLaTechnique(champs.technique));
  const std::vector<LigneTableMiPoints> lignes = CalculerMiPoints(longitudes.data(), h);
  // Before the page: its header writes the place of the fields into the current chart.
  const ContexteCachet contexte = ContexteDuTheme(Etat());
  if (options.Present("--pdf")) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    AppliquerReglagesParDefaut();
    const EnteteTable entete = EnteteTableMiPoints(Etat(), static_cast<int>(champs.technique), natale,
                                                   etat.JourJulienNaissance, {champs.ville, champs.lat, champs.lon},
                                                   itemHarmonique);
    OptionsDessin dessin;
    dessin.impressionCouleur = !options.Present("--bw");
    ParametresTable par;
    par.harmonique = h;
    par.palette = PaletteImpression(LesReglages(), dessin);
    if (!EcrirePdfDemande(DocumentTableMiPoints(entete.lignes, lignes, par, LignesCachet(entete.cachet),
                                                !dessin.impressionCouleur),
                          options.lues))
      return 2;
  }
  std::string s = "a,b,position,code\n";
  for (const LigneTableMiPoints& l : lignes)
    s += std::to_string(l.a) + "," + std::to_string(l.b) + "," + Nombre6(l.positionDeg) + "," + l.code + "\n";
  EcrireCsv(s, options.lues, contexte);
  return 0;
}

}  // namespace selvane
