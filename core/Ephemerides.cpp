#include "Ephemerides.h"

#include <swephexp.h>

#include <cstdio>
#include <string>

#include "Calcul.h"
#include "Catalogue.h"
#include "EtatTheme.h"

namespace selvane {

const char* const DossierEphemerides = "/usr/share/libswe/ephe";

namespace {

bool gRefus = false;
double gJourRefus = 0;

// Keeps the first failing request; its day is named in the message.
void Noter(std::int32_t retour, double jour) {
  if (retour < 0 && !gRefus) {
    gRefus = true;
    gJourRefus = jour;
  }
}

// One position request: longitude into the given column, speed into column 3.
void Position(int corpsEphemeride, int corps, int colonne, double jourTT, bool vitesse) {
  EtatTheme& e = Etat();
  double x[6] = {};
  e.RetourEphem = swe_calc(jourTT, corpsEphemeride, e.OptionsEphem, x, e.MessageEphem);
  Noter(e.RetourEphem, jourTT);
  e.Positions[corps][colonne] = x[0] * DegEnRad;
  if (vitesse) e.Positions[corps][3] = x[3] * DegEnRad;
}

// Obliquity and nutation at a TT day.
void ObliquiteNutation(double jourTT) {
  EtatTheme& e = Etat();
  double x[6] = {};
  e.RetourEphem = swe_calc(jourTT, SE_ECL_NUT, 0, x, e.MessageEphem);
  Noter(e.RetourEphem, jourTT);
  e.ObliquiteDeg = x[0];
  e.ObliquiteRad = x[0] * DegEnRad;
  e.NutationDeg = x[2];
}

// The Sun with its equatorial declination (the chart needs both).
void SoleilDansColonne(int colonne, double jourTT) {
  EtatTheme& e = Etat();
  double x[6] = {};
  e.RetourEphem = swe_calc(jourTT, SE_SUN, e.OptionsEphem, x, e.MessageEphem);
  Noter(e.RetourEphem, jourTT);
  e.Positions[1][colonne] = x[0] * DegEnRad;
  e.Positions[1][3] = x[3] * DegEnRad;
  double equatorial[3] = {};
  swe_cotrans(x, equatorial, -e.ObliquiteDeg);
  e.DeclinaisonSoleil = static_cast<float>(equatorial[1] * DegEnRad);
}

}  // namespace

void EffacerRefusEphemerides() { gRefus = false; }

void SignalerRefusEphemerides() {
  if (!gRefus) return;
  gRefus = false;
  char jour[64];
  std::snprintf(jour, sizeof jour, "%.1f", gJourRefus);
  throw ErreurEphemerides(std::string("Les éphémérides ne couvrent pas cette date (jour julien ") + jour +
                          ") : aucun thème n'est calculé");
}

void OuvrirEphemerides() {
  Etat().OptionsEphem = SEFLG_SPEED;
  swe_set_ephe_path(DossierEphemerides);
}

void FermerEphemerides() { swe_close(); }

void CalculerObliquite(double jourUT) {
  EtatTheme& e = Etat();
  double x[6] = {};
  e.RetourEphem = swe_calc(jourUT + DeltaT(jourUT), SE_ECL_NUT, 0, x, e.MessageEphem);
  Noter(e.RetourEphem, jourUT);
  e.ObliquiteDeg = x[0];
  e.ObliquiteRad = x[0] * DegEnRad;
}

void CalculerSoleil(double jourTT) {
  SoleilDansColonne(Etat().ColonneCalcul, jourTT);
  Etat().EquationDuTemps = static_cast<float>(EquationTemps(jourTT));
}

void CalculerLune(double jourTT) {
  // Floating-point traps are off in this program, so an overflow inside the
  // library cannot stop the command: the result array is stored as it is.
  Position(SE_MOON, Lune, Etat().ColonneCalcul, jourTT, Etat().ColonneCalcul == 1);
}

void CalculerNoeud(double jourTT) {
  Position(SE_TRUE_NODE, NoeudLunaire, Etat().ColonneCalcul, jourTT, true);
}

void CalculerPlanete(int corps, double jourTT) {
  if (corps < Mercure || corps > Pluton) return;
  Position(NumerosEphemeride[corps], corps, Etat().ColonneCalcul, jourTT, true);
}

void CalculerPlanetes(int colonne, double jourTT) {
  EtatTheme& e = Etat();
  ObliquiteNutation(jourTT);
  e.EquationDuTemps = static_cast<float>(EquationTemps(jourTT));
  SoleilDansColonne(colonne, jourTT);
  for (int n = Lune; n <= Pluton; ++n) Position(NumerosEphemeride[n], n, colonne, jourTT, true);
  Position(SE_TRUE_NODE, NoeudLunaire, colonne, jourTT, true);
}

void CalculerTransneptuniens(int colonne, double jourTT) {
  EtatTheme& e = Etat();
  ObliquiteNutation(jourTT);
  e.EquationDuTemps = static_cast<float>(EquationTemps(jourTT));
  for (int n = Cupidon; n <= Poseidon; ++n)
    Position(NumerosEphemeride[n], n, colonne, jourTT, true);
}

void CalculerCorps(int corps, double jourUT) {
  CalculerObliquite(jourUT);
  const double jourTT = jourUT + DeltaT(jourUT);
  if (corps == Soleil) CalculerSoleil(jourTT);
  else if (corps == Lune) CalculerLune(jourTT);
  else if (corps >= Mercure && corps <= Pluton) CalculerPlanete(corps, jourTT);
  else if (corps == NoeudLunaire) CalculerNoeud(jourTT);
}

void CalculerMaisons(int systeme, double latitudeRad, double jourUT) {
  EtatTheme& e = Etat();
  if (latitudeRad == 0) latitudeRad = 1e-10;
  // System 0 shows no houses, but the Ascendant and MC still come from Placidus.
  const int lettre = (systeme >= 1 && systeme <= 9) ? LettresSystemesMaisons[systeme] : 'P';
  double cuspides[13] = {};
  double angles[10] = {};
  // Not a refusal to note: beyond the polar circles the library answers an error
  // for Placidus and Koch and gives Porphyry's cusps, which the chart keeps.
  swe_houses(jourUT, latitudeRad * RadEnDeg, e.LongitudeDeg, lettre, cuspides, angles);
  for (int i = 1; i <= 12; ++i) e.Maisons[i] = static_cast<float>(cuspides[i] * DegEnRad);
  e.Positions[Ascendant][1] = e.Maisons[1];
  e.Positions[MilieuDuCiel][1] = e.Maisons[10];
  if (systeme == 4) {
    e.Maisons[1] = static_cast<float>(Normaliser2Pi(e.Maisons[1] - 15.0 * DegEnRad));
    for (int i = 2; i <= 12; ++i)
      e.Maisons[i] = static_cast<float>(Normaliser2Pi(e.Maisons[1] + (i - 1) * Pi / 6.0));
  } else if (systeme == 9) {
    const int k = static_cast<int>(PartieEntiere(e.Maisons[1] * RadEnDeg)) / 30 + 1;
    e.Maisons[1] = static_cast<float>(30.0 * (k - 1) * DegEnRad);
    for (int i = 2; i <= 12; ++i)
      e.Maisons[i] = static_cast<float>(
          Normaliser2Pi(30.0 * (i - 1) * DegEnRad + e.Maisons[1] + 0.00003));
  }
}

double EquationTemps(double jourJulien) {
  double e = 0;
  swe_time_equ(jourJulien, &e, Etat().MessageEphem);
  return e * 24.0;
}

std::int32_t LeverCoucher(int corpsEphemeride, int code, double geopos[3], double* tret,
                          double jourUT) {
  EtatTheme& e = Etat();
  return swe_rise_trans(jourUT, corpsEphemeride, nullptr, e.OptionsEphem, code + 768, geopos, 0.0,
                        15.0, tret, e.MessageEphem);
}

double DeltaTBibliotheque(double jourUT) { return swe_deltat_ex(jourUT, SEFLG_SWIEPH, Etat().MessageEphem); }

std::int32_t EclipseSolaire(bool arriere, double* tret, double jourUT) {
  return swe_sol_eclipse_when_glob(jourUT, SEFLG_SWIEPH, 0, tret, arriere ? 1 : 0,
                                   Etat().MessageEphem);
}

std::int32_t EclipseLunaire(bool arriere, double* tret, double jourUT) {
  return swe_lun_eclipse_when(jourUT, SEFLG_SWIEPH, 0, tret, arriere ? 1 : 0,
                              Etat().MessageEphem);
}

}  // namespace selvane
