#include "techniques/EphemeridesRapides.h"

#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/Temps.h"

namespace selvane {

namespace {

const char* const kAbreviations[12] = {"Jan", "Fév", "Mar", "Avr", "Mai", "Jui",
                                       "Jul", "Aoû", "Sep", "Oct", "Nov", "Déc"};
const char* const kMois[12] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                               "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};

LigneEphemeride Ligne(double jourTU, bool avecMinutes) {
  LigneEphemeride l;
  l.jourTU = jourTU;
  // Every body at the same Terrestrial Time: the planets as the chart computes
  // them from a UT instant, the node and the points from TT directly.
  const double jourTT = jourTU + DeltaT(jourTU);
  for (std::size_t k = 0; k < CorpsEphemeridesRapides.size(); ++k) {
    const PositionEcliptique p = PositionCorps(CorpsEphemeridesRapides[k], jourTT);
    CelluleEphemeride& c = l.cellules[k];
    c.longitudeDeg = p.longitudeDeg;
    c.vitesseDeg = p.vitesseDeg;
    c.retrograde = p.vitesseDeg < 0;
    c.texte = (avecMinutes ? FormatGlyphe(p.Longitude()) : FormatGlypheDeg(p.Longitude())) +
              (c.retrograde ? '@' : ' ');
  }
  return l;
}

}  // namespace

std::string NomMois(int mois) { return mois >= 1 && mois <= 12 ? Utf8VersCp1252(kMois[mois - 1]) : ""; }

std::vector<LigneEphemeride> CalculerEphemeridesRapides(int annee, int mois) {
  std::vector<LigneEphemeride> lignes;
  if (mois == 0) {
    for (int m = 1; m <= 12; ++m) {
      lignes.push_back(Ligne(JourJulien(1, m, annee, 0), false));
      lignes.back().etiquette = Utf8VersCp1252(kAbreviations[m - 1]);
    }
    return lignes;
  }
  const int n = JoursDuMois(mois, annee);
  for (int d = 1; d <= n; ++d) {
    lignes.push_back(Ligne(JourJulien(d, mois, annee, 0), true));
    lignes.back().etiquette = Remplir(d, 2) + "/" + Remplir(mois, 2);
  }
  return lignes;
}

std::string TitreEphemerides(int annee, int mois) {
  if (mois == 0) return Utf8VersCp1252("Positions des planètes au 1er de chaque mois pour l'année ") + std::to_string(annee);
  return Utf8VersCp1252("Positions des planètes pour le mois de ") + NomMois(mois) + " " + std::to_string(annee);
}

}  // namespace selvane
