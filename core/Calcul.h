#pragma once
// The chart computation and its numeric building blocks.
#include <array>

#include "core/Catalogue.h"
#include "core/Temps.h"

namespace selvane {

// Gaps between shown glyphs, radians.
constexpr float EcartGlyphes8 = 0.13962634f;
constexpr float EcartGlyphes9 = 0.15707964f;
constexpr float EcartGlyphes7 = 0.12217305f;
constexpr float EcartGlyphes65 = 0.1134464f;

// Computes the current chart from FicheEnCours. Throws ErreurConversion when
// the date fields are not integers, ErreurEphemerides (one of them) when the
// ephemeris cannot give the positions of that date.
void CalculerTheme(float ecartGlyphes);

double MiPoint(double a, double b);
double PrecessionGenerale(double t1, double t0);
double NutationLongitude(double jourJulienTU);
// Precession and nutation from the natal moment t0 to a return moment t (radians): what a
// return corrected for precession adds to its target longitude.
double CorrectionPrecession(double t, double t0);
// The Vertex from the latitude, the local sidereal time (degrees) and the obliquity.
double LongitudeVertex(double latitudeRad, double tempsSideralDeg, double obliquiteRad);
// The same for the current chart's sidereal time and obliquity.
double CalculerVertex(double latitudeRad);
void EtalerGlyphes(float ecart);
void TrierGlyphes(float ecart);

// The sort and push-apart of glyph angles P[1..n] with their body numbers O[1..n] (1-based):
// a diminishing-gap exchange sort, then neighbours pushed to about `ecart` apart, kept in
// 0..2pi. Shared by the chart wheel and the dial's rings.
template <typename Ordre>
void TrierEtEcarter(float* P, Ordre* O, int n, float ecart) {
  for (int g = n / 2; g > 0; g /= 2) {
    int limite = n - g;
    int dernier;
    do {
      dernier = 0;
      for (int i = 1; i <= limite; ++i) {
        if (P[i] > P[i + g]) {
          const float p = P[i];
          P[i] = P[i + g];
          P[i + g] = p;
          const Ordre o = O[i];
          O[i] = O[i + g];
          O[i + g] = o;
          dernier = i;
        }
      }
      limite = dernier;
    } while (dernier != 0);
  }
  const float deuxPiSimple = 6.2831855f;
  for (int i = n; i >= 2; --i) {
    for (int j = 1; j <= i - 1; ++j) {
      const double c = Normaliser2Pi(static_cast<double>(P[i]) - P[j]);
      const float d = ecart * static_cast<float>(i - j);
      if (d > c) {
        P[j] = (P[j] + P[i] - d) / 2.0f;
        P[i] = (P[j] + P[i] + d) / 2.0f;
      }
      if (P[j] < 0) P[j] = 0;
      if (P[i] > deuxPiSimple) P[i] = deuxPiSimple;
    }
  }
}

// The turn (2pi/7) that moves the spread's seam off 0° Aries before the sort, undone after.
constexpr double RotationEtalement = 0.8975979010256552;

// Glyph angles P[1..n] (radians) spread around the circle: turned, sorted and pushed apart,
// turned back. The chart wheel and the house frames' rings share it.
template <typename Ordre>
void EtalerSurLeCercle(float* P, Ordre* O, int n, float ecart) {
  for (int i = 1; i <= n; ++i) P[i] = static_cast<float>(Normaliser2Pi(static_cast<double>(P[i]) + RotationEtalement));
  TrierEtEcarter(P, O, n, ecart);
  for (int i = 1; i <= n; ++i) P[i] = static_cast<float>(Normaliser2Pi(static_cast<double>(P[i]) - RotationEtalement));
}

}  // namespace selvane
