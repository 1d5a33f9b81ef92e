#pragma once
// Searches for the moment of an event: lunar phases, returns, ingresses.
namespace selvane {

// Zero of the quartic through five samples at -2..2 steps: steps from the middle.
// Returns false when the denominator is exactly zero.
bool ZeroCinqEchantillons(const double y[5], double& n);

double NouvelleLuneMoyenne(double k);                      // Julian day TT
// The searches proper: corrections in days from the estimate, computed from
// the ephemeris alone. The chart state is not touched.
double CorrectionPhase(int indexAspect, double jourTT);
double CorrectionRetour(int corps, double longitude, double jourUT);
double CorrectionIngres(int corps, int signe, double jourUT);

// The same, leaving the last sample in the work column (4, or 5 for the
// ingress) of the chart state with ColonneCalcul set to it.
double ChercherPhase(int indexAspect, double jourTT);      // correction, days
double ChercherRetour(int corps, double longitude, double jourUT);
double ChercherIngres(int corps, int signe, double jourUT);
double VitesseLune(double siecles);                        // radians/day

}  // namespace selvane
