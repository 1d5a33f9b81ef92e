#pragma once
// Geometry shared by the picture generator and the windows that draw on its
// pictures: the mandala figure and the world map's projection.
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"

namespace selvane {

constexpr int kCoteMandala = 800;
constexpr int kLargeurPlanisphere = 1440;
constexpr int kHauteurPlanisphere = 480;

// Angle of a body's place on the mandala (bodies 1..18), degrees counter-clockwise
// from the right: the bodies in the figure's order each take a sector of 22°30',
// then move 5.5° forward (odd rank) or back (even rank).
inline double AngleMandala(int corps) {
  static const int ordre[18] = {Soleil, Vulcain, Uranus, Poseidon, Pluton, Jupiter, Mercure, Lune, Apollon,
                                Saturne, Admete, Neptune, Hades, Zeus, Mars, Kronos, Venus, Cupidon};
  for (int i = 1; i <= 18; ++i) {
    if (ordre[i - 1] != corps) continue;
    const double angle = i == 1 ? 0.0 : std::fmod(11.25 + (i - 1) * 22.5, 360.0);
    return angle + ((i % 2 == 1) ? 5.5 : -5.5);
  }
  return 0;
}

// R of the figure: the nearest integer to side x 0.863 x 0.5.
inline double RayonMandala(int cote) { return std::nearbyint(cote * 0.863 * 0.5); }

// The world map: equator at 265/480 of the height, latitude = 2 atan(d / y0),
// left edge 168.5° west, linear longitude. The generator draws with the
// forward form, the planisphere window reads the pointer with the inverse.
constexpr double kOuestPlanisphere = 168.5;     // degrees west at the left edge
constexpr double kEquateurPlanisphere = 265.0;  // equator, in 480ths of the height
constexpr double kPolePlanisphere = 187.5;      // farthest latitude shown, 480ths from the equator

inline double XPlanisphere(double longitude, double largeur) {
  return (longitude + kOuestPlanisphere) * largeur / 360.0;
}
inline double YPlanisphere(double latitude, double hauteur) {
  const double y0 = kEquateurPlanisphere * hauteur / 480.0;
  return y0 - y0 * std::tan(latitude * DegEnRad / 2.0);
}

// Coordinates under the pointer at pixel (x, y) of the map shown full screen:
// width W, screen height H (the map's own scale, in whole pixels).
struct Coordonnees {
  double latitude, longitude;
};
inline Coordonnees CoordonneesPlanisphere(int x, int y, int largeur, int hauteurEcran) {
  const double k = hauteurEcran / 480.0;
  const double y0 = std::nearbyint(kEquateurPlanisphere * k);
  const double m = std::nearbyint(kPolePlanisphere * k);
  const double d = std::min(std::fabs(y0 - y), m);
  double latitude = 2 * std::atan(d / y0) * RadEnDeg;
  if (y > y0) latitude = -latitude;
  double longitude = x / (largeur / 360.0) - kOuestPlanisphere;
  if (longitude > 180) longitude = -(360 - longitude);
  return {latitude, longitude};
}

}  // namespace selvane
