#include "methode/Retours.h"

#include <algorithm>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Recherches.h"
#include "core/Temps.h"
#include "methode/Annees.h"

namespace selvane {

namespace {

double N(double x) { return Normaliser2Pi(x); }

// d = N(lambda - target) brought to the shorter side: target - lambda.
double VersCoteCourt(double d) {
  if (d < Pi) return -d;
  if (d > Pi) return DeuxPi - d;
  return d;
}

}  // namespace

RetourSolaireTrouve RetourSolaire(const NatalRetour& natal, const DemandeRetourSolaire& d) {
  EtatTheme& e = Etat();
  e.FuseauHeures = 0;
  e.ColonneCalcul = 1;
  const double o = std::clamp(d.quart, 0, 3) * Pi / 2;
  RetourSolaireTrouve r;
  r.age = (d.annee - natal.anneeNaissance) + o / DeuxPi;
  const double estimation = natal.jourJulienNaissance + r.age * AnneeRetourSolaire;
  const double cible = N(natal.soleilNatal + o);
  if (d.recherche == RechercheSoleil::Convergee) {
    CalculerCorps(Soleil, estimation);
    r.t1 = estimation + ChercherRetour(Soleil, cible, estimation);
    e.ColonneCalcul = 1;
  } else {
    // Away from the 0°/360° seam both compared longitudes are turned by 30°.
    const double decalage = (natal.soleilNatal > 6.0213859 || natal.soleilNatal < 0.2617994) ? Pi / 6 : 0;
    const double t0 = estimation - 0.01;
    CalculerSoleil(t0 + DeltaT(t0));
    r.t1 = t0 + (N(cible + decalage) - N(e.Positions[Soleil][1] + decalage)) / e.Positions[Soleil][3];
    CalculerCorps(Soleil, r.t1);
  }
  r.t = r.t1;
  if (!d.precession) return r;
  r.precession = CorrectionPrecession(r.t1, natal.jourJulienNaissance);
  double v = e.Positions[Soleil][3];
  const double t2 = r.t1 + r.precession / v;
  CalculerSoleil(t2 + DeltaT(t2));
  // Toward the corrected target, which may pass 2pi when the natal Sun is near 360°.
  double ecart = cible + r.precession - e.Positions[Soleil][1];
  while (ecart > Pi) ecart -= DeuxPi;
  while (ecart < -Pi) ecart += DeuxPi;
  if (d.recherche == RechercheSoleil::PasLineaire) v = e.Positions[Soleil][3];
  r.t = t2 + ecart / v;
  if (d.recherche == RechercheSoleil::PasLineaire) CalculerSoleil(r.t + DeltaT(r.t));
  return r;
}

PasLune PasSiderauxDesTables(double (*vitesse)(double siecles)) {
  PasLune p;
  p.pasMax = 3;
  p.tolerance = 0.0001;
  p.testAvant = true;
  p.vitesse = vitesse;
  return p;
}

bool AmenerLune(double& t, double cible, const PasLune& p, double* lune) {
  for (int k = 0;;) {
    const PositionEcliptique m = PositionCorps(Lune, p.lectureTU ? t + DeltaT(t) : t);
    if (lune) *lune = m.Longitude();
    const double d = VersCoteCourt(N(m.Longitude() - cible));
    if (p.testAvant && std::fabs(d) < p.tolerance) return true;
    t += d / (p.vitesse ? p.vitesse((t - 2415020) / 36525) : m.Vitesse());
    ++k;
    if (p.testAvant) {
      if (k >= p.pasMax) return false;
    } else if (std::fabs(d) <= p.tolerance || k >= p.pasMax) {
      return true;
    }
  }
}

RetourLunaireTrouve RetourLunaire(const NatalRetour& natal, const DemandeRetourLunaire& d) {
  EtatTheme& e = Etat();
  const bool cadran = d.recherche == RechercheLune::VitesseEphemeride;
  e.ColonneCalcul = 1;
  double jd = JourJulien(d.jour, d.mois, d.annee, 0);
  if (cadran) CalculerCorps(Lune, jd);
  else CalculerLune(jd);
  jd += (DeuxPi - N(e.Positions[Lune][1] - natal.luneNatale)) * JoursParRadianLune;

  PasLune tropical;
  tropical.pasMax = cadran ? 9 : 6;
  tropical.tolerance = cadran ? 4e-6 : 0.00001;
  tropical.vitesse = cadran ? nullptr : VitesseLune;
  RetourLunaireTrouve r;
  AmenerLune(jd, natal.luneNatale, tropical, &r.lune);
  r.tropical = jd - DeltaT(jd);
  r.t = r.tropical;
  if (cadran && !d.precession) return r;

  // The dial corrects from the UT return, the tables from the TT day their search gave.
  r.precession = CorrectionPrecession(cadran ? r.tropical : jd, natal.jourJulienNaissance);
  PasLune sideral = PasSiderauxDesTables(VitesseLune);
  if (cadran) {
    sideral = PasLune();
    sideral.pasMax = 6;
    sideral.tolerance = 1e-5;
    sideral.lectureTU = true;
  }
  double t = r.tropical;
  if (!AmenerLune(t, N(r.lune + r.precession), sideral, &r.lune)) {
    r.abandonne = true;
    return r;
  }
  r.t = cadran ? t : t - DeltaT(t);
  return r;
}

}  // namespace selvane
