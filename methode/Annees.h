#pragma once
// The lengths of a year the method's rules count in, each under the name of the rule that
// uses it: the figures differ from rule to rule and every printed date depends on its own.
#include "core/Temps.h"  // AnneeTropique

namespace selvane {

// One day after birth for each tropical year of life: the solar arc's progressed day, and the
// age the dial shows from its fields.
constexpr double AnneeArcSolaire = AnneeTropique;
// The first guess of a solar return, n years after birth (dial and forecast tables alike).
constexpr double AnneeRetourSolaire = 365.242198;
// The age the dial writes after each refresh and step of its rings.
constexpr double AnneeAgeCadran = 365.242198;
// The given solar arc: from the day the Sun has moved N degrees back to the moment, one year per day.
constexpr double AnneeArcDonne = 365.2422;
// The age column of the transit list.
constexpr double AnneeAgeTransits = 365.2422;
// The date of a contact in the directions list, from its age.
constexpr double AnneeDateDirections = 365.242;

// The Sun's mean motion (degrees a day): the given arc's first guess of the day it is reached.
constexpr double MouvementMoyenSoleilDeg = 0.98565;
// Days per radian the Moon still has to travel: the lunar returns' first guess.
constexpr double JoursParRadianLune = 3.6965;

}  // namespace selvane
