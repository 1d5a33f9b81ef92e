#pragma once
// The lines of `chart --batch`, one at a time (the fuzz target feeds them too).
#include <string>

namespace selvane {

// Opens the ephemeris and shows the 20 bodies, once before the lines.
void PreparerSerie();
// A line "date;heure;lat;long;fuseau": appends its 24 longitudes, comma
// separated, to `sortie`; false after the French message of the first faulty
// field (with the line's number when the fields are not five).
bool ThemeDeLigne(const std::string& ligne, int numero, std::string& sortie);

}  // namespace selvane
