#pragma once
// The chart computation and its numeric building blocks.
#include <array>

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

}  // namespace selvane
