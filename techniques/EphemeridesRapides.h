#pragma once
// The quick ephemeris: the slow bodies and the Uranian points at 0h UT on the
// first of each month of a year, or on each day of one month.
#include <array>
#include <string>
#include <vector>

namespace selvane {

// The shown bodies, in column order: the node, Mars .. Pluto, Cupido .. Vulkanus.
constexpr std::array<int, 14> CorpsEphemeridesRapides = {19, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr int PremiereAnneeEphemerides = 1500;
constexpr int DerniereAnneeEphemerides = 2500;

struct CelluleEphemeride {
  double longitudeDeg = 0;
  double vitesseDeg = 0;   // degrees/day
  bool retrograde = false;
  std::string texte;       // Windows-1252, glyph font: "12a " or "12a34@"
};

struct LigneEphemeride {
  double jourTU = 0;       // 0h UT of the row's date
  std::string etiquette;   // "Jan" .. "Déc" (Windows-1252) or "dd/mm"
  std::array<CelluleEphemeride, 14> cellules;
};

// mois 0: the twelve firsts of the year; 1..12: every day of that month.
// The chart state is not touched.
std::vector<LigneEphemeride> CalculerEphemeridesRapides(int annee, int mois);
// The printed title (Windows-1252).
std::string TitreEphemerides(int annee, int mois);
// "Janvier" .. "Décembre" (Windows-1252), 1..12.
std::string NomMois(int mois);

}  // namespace selvane
