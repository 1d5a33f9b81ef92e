#pragma once
// The time routines: Julian day, ΔT, sidereal time. Plain functions of their
// arguments; the chart computation stores what it needs of them.
#include <array>

namespace selvane {

// The tropical year, days: the decimal year, and the solar arc's one day per year of life.
constexpr double AnneeTropique = 365.2421988;

extern const std::array<int, 187> TableDeltaT;  // tenths of a second, 1620..1992 every 2 years

double JourJulien(int jour, int mois, int annee, double fraction);
double DeltaT(double jourJulien);  // days
// Local sidereal time, degrees 0..360.
double TempsSideral(double longitudeHeures, double fuseau, double heureLocale, double jourJulienTU);
double AnneeDecimale(double jourJulien);

}  // namespace selvane
