#pragma once
// The chart shown at start-up: now, at the default city, in the computer's zone.
#include <ctime>

namespace selvane {

// Fills FicheEnCours for the given instant and computes it.
void CalculerThemeDuMoment(std::time_t instant);

}  // namespace selvane
