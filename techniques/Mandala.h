#pragma once
// The mandala: three axes of the natal chart on the 22°30' circle, the points and
// midpoints that frame each of them within 1°, the count of the 18 bodies in
// those lists, and the marks placed on the figure from the counts.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "techniques/Sequences.h"

namespace selvane {

// (P1, P2); P1 == P2 is the point alone.
struct AxeMandala {
  int p1 = 1;
  int p2 = 1;
};
constexpr std::array<AxeMandala, 3> AxesMandalaDefaut = {AxeMandala{1, 1}, AxeMandala{5, 5}, AxeMandala{3, 6}};

// Degrees on the 22°30' circle, single precision as kept.
float PositionAxe(const LongitudesNatales& natal, AxeMandala axe);
// Glyph of P1, or glyph(P1) + "/" + glyph(P2) (Windows-1252, glyph font).
std::string NomAxe(AxeMandala axe);

struct LigneEncadrante {
  std::string nom;       // glyph font
  std::string position;  // FormatDegMin of the place on the circle
  int poids1 = 1, poids2 = 1;  // 1 for bodies 1..18, 0 beyond
  int corps1 = 1, corps2 = 1;
  std::string cle;       // 10 + signed distance, "00.00000"
  float positionDeg = 0;  // on the circle
  float distanceDeg = 0;
};

// The axis row first, then the points and midpoints within 1°, sorted on the key.
std::vector<LigneEncadrante> CalculMiPointsEncadrants(const LongitudesNatales& natal, AxeMandala axe);

struct TotauxMandala {
  std::uint8_t compte[19][4] = {};  // [body 1..18][axis 1..3]
  int sommes[4] = {};               // [axis 1..3]
  int seuils[4] = {};               // SeuilAxe, [axis 1..3]
  int Total(int corps) const { return compte[corps][1] + compte[corps][2] + compte[corps][3]; }
};
TotauxMandala CalculeTotaux(const std::array<std::vector<LigneEncadrante>, 3>& listes);

// The warning that refuses to draw (UTF-8), or empty when the axes are apart.
std::string VerifierSeparationAxes(const std::array<float, 3>& positions);

// One mark of the figure: a circle of 7 pixels around the place.
struct MarqueMandala {
  int axe;           // 1..3
  int corps;         // 1..18
  double angleDeg;   // counter-clockwise from the right, shift included
  double rayon;      // factor of R: 1.05, 0.95, 0.325, 0.23
  bool pleine;       // strong presence (filled)
};
// In drawing order: outer absences, Venus/Cupido absences and presences, outer presences.
std::vector<MarqueMandala> MarquesMandala(const TotauxMandala& totaux);

// Every window row and count at once (window, printer and command line).
struct CalculMandala {
  std::array<AxeMandala, 3> axes = AxesMandalaDefaut;
  std::array<float, 3> positions = {};
  std::array<std::vector<LigneEncadrante>, 3> listes;
  TotauxMandala totaux;
};
CalculMandala CalculerMandala(const LongitudesNatales& natal, const std::array<AxeMandala, 3>& axes);

}  // namespace selvane
