#pragma once
// Solar and lunar returns, searched once for every caller: the dial and the forecast windows
// (and the command line) each name the way of searching their own results are made with.
// The correction for precession is CorrectionPrecession of core/Calcul.h.

namespace selvane {

// What a return search needs of the natal chart.
struct NatalRetour {
  double jourJulienNaissance = 0;  // Universal Time
  double soleilNatal = 0;          // radians
  double luneNatale = 0;           // radians
  int anneeNaissance = 0;
};

// How the Sun is brought onto its target.
enum class RechercheSoleil {
  // The dial: the core's return search from the estimate; the precession step divides by the
  // speed that search left, both times.
  Convergee,
  // The forecast tables: one linear step from 0.01 day before the estimate, both longitudes
  // turned 30° away from the 0°/360° seam when the natal Sun is near it; the precession step
  // rereads the speed at its corrected moment.
  PasLineaire,
};

struct DemandeRetourSolaire {
  int annee = 0;
  int quart = 0;  // 0..3: "1", "+1/4", "+1/2", "+3/4" (the target moves by that much of a turn)
  bool precession = false;
  RechercheSoleil recherche = RechercheSoleil::Convergee;
};

struct RetourSolaireTrouve {
  double t = 0;           // the return, Universal Time
  double t1 = 0;          // before the precession step
  double precession = 0;  // radians added to the target, 0 without
  double age = 0;         // years after the birth year, quarter included
};

// Sets FuseauHeures to 0 and ColonneCalcul to 1; the Sun routine of the chart state leaves its
// last computation in column 1 (with the precession, the final moment's Sun) and its speed in
// column 3.
RetourSolaireTrouve RetourSolaire(const NatalRetour& natal, const DemandeRetourSolaire& demande);

// How the Moon is brought onto its natal place and then onto the place corrected for precession.
enum class RechercheLune {
  // The dial: the first Moon at midnight UT; Newton steps over the ephemeris's own speed (at
  // most 9, to 4e-6 rad); the sidereal return only with the precession, from the UT moment read
  // at its TT instant (at most 6 steps, to 1e-5 rad).
  VitesseEphemeride,
  // The forecast tables: the first Moon at midnight read as TT; steps over the mean speed
  // VitesseLune (at most 6, to 1e-5 rad); always sidereal, from the UT moment read as a TT day,
  // tested before each step (within 1e-4 rad) and abandoned after 3.
  VitesseMoyenne,
};

struct DemandeRetourLunaire {
  int jour = 1, mois = 1, annee = 2000;  // the search starts at midnight of that date
  bool precession = false;               // the dial's option; the tables' return is always sidereal
  RechercheLune recherche = RechercheLune::VitesseEphemeride;
};

struct RetourLunaireTrouve {
  bool abandonne = false;  // the tables' sidereal steps did not settle: nothing else is meaningful
  double t = 0;            // the return, Universal Time
  double tropical = 0;     // the return onto the natal place, before the precession, Universal Time
  double precession = 0;   // radians, 0 without
  double lune = 0;         // the Moon's longitude of the last computation (radians)
};

// ColonneCalcul is 1 after it; the first Moon is written into column 1 by the chart state's routine.
RetourLunaireTrouve RetourLunaire(const NatalRetour& natal, const DemandeRetourLunaire& demande);

// The Newton steps of a lunar return: the Moon at t brought onto `cible` (radians).
struct PasLune {
  int pasMax = 6;
  double tolerance = 1e-5;  // radians
  bool testAvant = false;   // tested before each step (|d| < tolerance), false after pasMax steps;
                            // otherwise tested after each step (|d| <= tolerance), true at the end
  bool lectureTU = false;   // t is UT, read at its TT instant; otherwise t is read as a TT day
  double (*vitesse)(double siecles) = nullptr;  // the mean speed (rad/day) from Julian centuries
                                                // since 1900; none: the ephemeris's own speed
};
// The steps of the tables' sidereal return, with the mean speed given.
PasLune PasSiderauxDesTables(double (*vitesse)(double siecles));
// `lune` receives the Moon of the last computation when given.
bool AmenerLune(double& t, double cible, const PasLune& pas, double* lune = nullptr);

}  // namespace selvane
