#pragma once
// The chart of one birth as the sub-commands compute it.
#include "birthdata/Saisie.h"

namespace selvane {

// A fresh chart state showing all 20 bodies, the ephemeris open.
void PreparerCalcul();
// The chart of the birth into the chart state (throws ErreurConversion as CalculerTheme does).
void CalculerNaissance(const SaisieNaissance& n, int systeme);

}  // namespace selvane
