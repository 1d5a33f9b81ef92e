#pragma once
// The six house frames of the Uranian method (equal houses from the Sun, the
// Moon, the Ascendant, the MC, the Aries point and the node) and the meridian
// houses, with the midpoint connections on a frame's axes.
#include <array>
#include <bitset>
#include <string>
#include <utility>
#include <vector>

#include "methode/Maisons.h"  // MaisonsMeridiennes, shared with the dial
#include "techniques/Sequences.h"

namespace selvane {

enum CadreUranien : int { CadreSoleil, CadreLune, CadreAscendant, CadreMC, CadreBelier, CadreNoeud, CadreMeridien };
constexpr int NbCadres = 7;

struct Cadre {
  int item = CadreBelier;
  double axeDeg = 0;
  double origineDeg = 0;              // first cusp of the equal frames
  std::array<double, 13> cuspides{};  // 1..12, degrees
  std::string centre;                 // glyph letter, or "Mér" (Windows-1252) for the meridian frame
};

Cadre CalculerCadre(int item, const LongitudesNatales& natal, double tempsSideralDeg, double obliquiteRad);

// Orb of the connections: items "0°05'" .. "2°".
constexpr int NbOrbesConnexions = 24;
inline double OrbeConnexionDeg(int item) { return (item + 1) / 12.0; }
std::string TexteOrbe(int item);  // "0°05'" .. "2°" (Windows-1252)

// Pairs (i < j) of the planet set whose midpoint is within the orb of the axis or
// its square or opposition.
std::vector<std::pair<int, int>> CalculerConnexions(double axeDeg, const LongitudesNatales& natal,
                                                    const std::bitset<256>& jeu, double orbeDeg);

// The glyph places of bodies 1..24 pushed about `ecart` (radians) apart around the
// circle, as the dial spreads its rings.
std::array<double, 25> EtalerLongitudes(const LongitudesNatales& natal, double ecart);

// One row of the command line and the listing: a house of a frame.
struct LigneCadre {
  int item;
  int maison;
  double cuspideDeg;
  std::vector<int> corps;  // bodies 1..23 in the house
};
std::vector<LigneCadre> LignesCadres(const LongitudesNatales& natal, double tempsSideralDeg, double obliquiteRad);

}  // namespace selvane
