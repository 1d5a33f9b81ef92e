#pragma once
// The chart computation and its numeric building blocks.
#include <array>

namespace selvane {

// Gaps between shown glyphs, radians.
constexpr float EcartGlyphes8 = 0.13962634f;
constexpr float EcartGlyphes9 = 0.15707964f;
constexpr float EcartGlyphes7 = 0.12217305f;
constexpr float EcartGlyphes65 = 0.1134464f;

extern const std::array<int, 187> TableDeltaT;  // tenths of a second, 1620..1992 every 2 years

// Computes the current chart from FicheEnCours. Throws ErreurConversion when
// the date fields are not integers, ErreurEphemerides (one of them) when the
// ephemeris cannot give the positions of that date.
void CalculerTheme(float ecartGlyphes);

double JourJulien(int jour, int mois, int annee, double fraction);
double DeltaT(double jourJulien);  // days
double TempsSideral(double longitudeHeures, double fuseau, double heureLocale, double jourJulienTU);
double MiPoint(double a, double b);
double AnneeDecimale(double jourJulien);
double PrecessionGenerale(double t1, double t0);
double NutationLongitude(double jourJulienTU);
double CalculerVertex(double latitudeRad);
void EtalerGlyphes(float ecart);
void TrierGlyphes(float ecart);

}  // namespace selvane
