#pragma once
// The solar arc, by each of the two rules the program counts it with, and the moment a given
// arc is reached.

namespace selvane {

// The yearly rule (dial, forecast tables, interpretation): the progressed day is one day after
// birth for each tropical year of life, and the arc the Sun of that day less the natal Sun.
double JourProgresse(double jourNaissanceTU, double jourTU);
// Radians 0..2pi. The Sun routine of the chart state writes the progressed Sun into column 1
// (ColonneCalcul is set to 1).
double ArcSolaireAnnuel(double jourNaissanceTU, double soleilNatal, double jourTU);

// The true-Sun rule of the directions list: the Sun k days after birth less the natal Sun,
// radians in -pi..pi (at age 0 a rounding below the natal place is no whole turn). Pure: the
// chart state is not touched.
double ArcSolaireSoleilVrai(double jourNaissanceTU, double soleilNatal, int jours);

// The moment the yearly arc reaches `degres`: the day after birth on which the Sun has moved
// that far, turned back into a moment at one year per day (Universal Time). ColonneCalcul is 1 after it.
double MomentArcDonne(double jourNaissanceTU, double soleilNatal, int degres);

}  // namespace selvane
