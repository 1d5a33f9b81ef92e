#include "methode/Maisons.h"

#include <cmath>
#include <cstddef>

#include "core/Catalogue.h"
#include "core/Conversions.h"

namespace selvane {

std::array<double, 13> MaisonsMeridiennes(double tempsSideralDeg, double obliquiteRad, double mcDeg) {
  std::array<double, 13> c{};
  c[10] = Normaliser360(mcDeg);
  c[4] = Normaliser360(mcDeg + 180);
  for (int k = 7; k <= 11; ++k) {
    // Reduced first, so that 90° and 270° are the exact quarter turns.
    const double a = Normaliser360(tempsSideralDeg + 30.0 * k) * DegEnRad;
    double x = std::atan(Tangente(a) / std::cos(obliquiteRad)) * RadEnDeg;
    if (std::cos(a) < 0) x += 180;
    c[static_cast<std::size_t>(k - 2)] = Normaliser360(x);
  }
  c[11] = Normaliser360(c[5] + 180);
  c[12] = Normaliser360(c[6] + 180);
  for (std::size_t k = 1; k <= 3; ++k) c[k] = Normaliser360(c[k + 6] + 180);
  return c;
}

}  // namespace selvane
