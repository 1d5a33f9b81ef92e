#pragma once
// The lines of `chart --batch`, one at a time (the fuzz target feeds them too).
#include <string>

#include "birthdata/Saisie.h"

namespace selvane {

// Opens the ephemeris and shows the 20 bodies, once before the lines.
void PreparerSerie();
// The chart of a checked birth into the chart state (after PreparerSerie);
// throws ErreurConversion as CalculerTheme does.
void CalculerThemeSaisi(const SaisieNaissance& n, int systeme);
// A line "date;heure;lat;long;fuseau": appends its 24 longitudes, comma
// separated, to `sortie`; false after the French message of the first faulty
// field (with the line's number when the fields are not five).
bool ThemeDeLigne(const std::string& ligne, int numero, std::string& sortie);

}  // namespace selvane
