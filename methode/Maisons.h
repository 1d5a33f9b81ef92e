#pragma once
// The meridian houses: one computation for the dial's meridian frame and the six house frames.
#include <array>

namespace selvane {

// Cusps 1..12 in degrees 0..360 (index 0 unused): cusp 10 the MC and cusp 4 opposite, cusps 5..9
// from the sidereal time (degrees) and the obliquity (radians), the others half a turn from them.
std::array<double, 13> MaisonsMeridiennes(double tempsSideralDeg, double obliquiteRad, double mcDeg);

}  // namespace selvane
