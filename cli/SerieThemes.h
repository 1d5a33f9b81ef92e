#pragma once
// The lines of `chart --batch`, one at a time (the fuzz target feeds them too), after
// PreparerCalcul once before the lines.
#include <string>

#include "cli/ThemeNatal.h"

namespace selvane {

// A line "date;heure;lat;long;fuseau": appends its 24 longitudes, comma
// separated, to `sortie`; false after the French message of the first faulty
// field (with the line's number when the fields are not five).
bool ThemeDeLigne(const std::string& ligne, int numero, std::string& sortie);

}  // namespace selvane
