#include "core/Recherches.h"

#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

namespace {

// Signed distance from a longitude to a target on the shorter side, radians.
double EcartSigne(double cible, double longitude) {
  const double d = Normaliser2Pi(cible - longitude);
  return d <= Pi ? d : -(DeuxPi - d);
}

}  // namespace

namespace {

// Fixed-point iteration for the zero of the quartic through the five samples.
// With remplacerNul a zero denominator becomes 0.000001 instead of failing.
bool Zero(const double y[5], bool remplacerNul, double& n) {
  const double A = y[1] - y[0], B = y[2] - y[1], C = y[3] - y[2], D = y[4] - y[3];
  const double E = B - A, F = C - B, G = D - C;
  const double H = F - E, J = G - F;
  const double K = J - H;
  double denominateur = 2.0 * (6.0 * B + 6.0 * C - H - J);
  if (denominateur == 0) {
    if (!remplacerNul) return false;
    denominateur = 0.000001;
  }
  n = 0;
  for (int i = 0; i < 5; ++i)
    n = (-24.0 * y[2] + n * n * (K - 12.0 * F) - 2.0 * n * n * n * (H + J) - n * n * n * n * K) /
        denominateur;
  return true;
}

double ZeroGaranti(const double y[5]) {
  double n = 0;
  Zero(y, true, n);
  return n;
}

}  // namespace

bool ZeroCinqEchantillons(const double y[5], double& n) { return Zero(y, false, n); }

double NouvelleLuneMoyenne(double k) {
  const double T = k / 1236.85;
  const double T2 = T * T, T3 = T2 * T;
  const double J = 2415020.75933 + 29.53058868 * k + 0.0001178 * T2 - 0.000000155 * T3 +
                   0.00033 * SinDeg(166.56 + 132.87 * T - 0.009176 * T2);
  const double M = 359.2242 + 29.10535608 * k - 0.0000333 * T2 - 0.00000347 * T3;
  const double Mp = 306.0253 + 385.81691806 * k + 0.0107306 * T2 + 0.00001236 * T3;
  const double F = 2.0 * (21.2964 + 390.67050646 * k - 0.0016528 * T2 - 0.00000239 * T3);
  const double correction =
      (0.1734 - 0.000393 * T) * SinDeg(M) + 0.0021 * SinDeg(2 * M) - 0.4068 * SinDeg(Mp) +
      0.0161 * SinDeg(2 * Mp) - 0.0004 * SinDeg(3 * Mp) + 0.0104 * SinDeg(F) -
      0.0051 * SinDeg(M + Mp) - 0.0074 * SinDeg(M - Mp) + 0.0004 * SinDeg(M + F) -
      0.0004 * SinDeg(F - M) - 0.0006 * SinDeg(Mp + F) + 0.0010 * SinDeg(F - Mp) +
      0.0005 * SinDeg(M + 2 * Mp);
  return J + correction;
}

double CorrectionPhase(int indexAspect, double jourTT) {
  const double angle = AnglesAspects[indexAspect];
  double y[5];
  for (int i = -2; i <= 2; ++i) {
    const double t = jourTT + i / 24.0;
    const double elongation =
        Normaliser2Pi(PositionCorps(Lune, t).Longitude() - PositionCorps(Soleil, t).Longitude());
    y[i + 2] = elongation <= Pi ? elongation - angle : angle - (DeuxPi - elongation);
  }
  double n = 0;
  if (!ZeroCinqEchantillons(y, n) || !std::isfinite(n)) return 0;
  return n / 24.0;
}

double CorrectionRetour(int corps, double longitude, double jourUT) {
  double y[5];
  for (int i = -2; i <= 2; ++i) y[i + 2] = EcartSigne(longitude, PositionCorpsTU(corps, jourUT + i).Longitude());
  return ZeroGaranti(y);
}

double CorrectionIngres(int corps, int signe, double jourUT) {
  const double cible = signe * Pi / 6.0;
  double y[5];
  for (int i = -2; i <= 2; ++i)
    y[i + 2] = EcartSigne(cible, PositionCorpsTU(corps, jourUT + i / 4.0).Longitude()) * RadEnDeg;
  return ZeroGaranti(y) / 4.0;
}

// The chart-state forms leave in the work column what the last sample wrote there.

double ChercherPhase(int indexAspect, double jourTT) {
  const double correction = CorrectionPhase(indexAspect, jourTT);
  Etat().ColonneCalcul = 4;
  CalculerSoleil(jourTT + 2 / 24.0);
  CalculerLune(jourTT + 2 / 24.0);
  return correction;
}

double ChercherRetour(int corps, double longitude, double jourUT) {
  const double correction = CorrectionRetour(corps, longitude, jourUT);
  Etat().ColonneCalcul = 4;
  CalculerCorps(corps, jourUT + 2);
  return correction;
}

double ChercherIngres(int corps, int signe, double jourUT) {
  const double correction = CorrectionIngres(corps, signe, jourUT);
  Etat().ColonneCalcul = 5;
  CalculerCorps(corps, jourUT + 2 / 4.0);
  return correction;
}

double VitesseLune(double T) {
  const double T2 = T * T, T3 = T2 * T;
  const double Mp = (296.104608 + 477198.8491 * T + 0.009192 * T2 + 0.0000144 * T3) * DegEnRad;
  const double D = (350.737486 + 445267.1142 * T - 0.001436 * T2 + 0.0000019 * T3) * DegEnRad;
  const double F = (11.250889 + 483202.0251 * T - 0.003211 * T2 - 0.0000003 * T3) * DegEnRad;
  const double M = (358.475833 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3) * DegEnRad;
  using std::cos;
  const double v =
      13.176397 + 1.434006 * cos(Mp) + 0.280135 * cos(2 * D) + 0.251632 * cos(2 * D - Mp) +
      0.09742 * cos(2 * Mp) - 0.052799 * cos(2 * F) + 0.034848 * cos(2 * D + Mp) +
      0.018732 * cos(2 * D - M) + 0.010316 * cos(2 * D - M - Mp) + 0.008649 * cos(M - Mp) -
      0.008642 * cos(Mp + 2 * F) - 0.007471 * cos(M + Mp) - 0.007387 * cos(D) +
      0.006864 * cos(3 * Mp) + 0.00665 * cos(4 * D - Mp) + 0.003523 * cos(2 * D + 2 * Mp) +
      0.003377 * cos(4 * D - 2 * Mp) + 0.003287 * cos(4 * D) - 0.003193 * cos(M) -
      0.003003 * cos(M + 2 * D) + 0.002577 * cos(2 * D + Mp - M) - 0.002567 * cos(2 * F - Mp) -
      0.001794 * cos(2 * D - 2 * Mp) - 0.001716 * cos(Mp - 2 * F - 2 * D) -
      0.001698 * cos(M + 2 * D - Mp) - 0.001415 * cos(2 * D + 2 * F) + 0.001183 * cos(2 * Mp - M) +
      0.00115 * cos(M + D) - 0.001035 * cos(Mp + D) - 0.001019 * cos(2 * Mp + 2 * F) -
      0.001006 * cos(M + 2 * Mp);
  return v * DegEnRad;
}

}  // namespace selvane
