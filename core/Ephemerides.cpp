#include "core/Ephemerides.h"

#include <swephexp.h>

#include <cstdio>
#include <string>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"

namespace selvane {

const char* const DossierEphemerides = "/usr/share/libswe/ephe";

static_assert(OptionsPositions == SEFLG_SPEED, "position requests carry the speed flag");

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

// The library writes its error text somewhere; callers that do not keep it share this one.
char* Tampon(char* message) {
  static char ignore[256];
  return message ? message : ignore;
}

// One position request into the chart state: longitude into the given column, speed into column 3.
void Position(int corpsEphemeride, int corps, int colonne, double jourTT, bool vitesse) {
  EtatTheme& e = Etat();
  const PositionEcliptique p = PositionEphemeride(corpsEphemeride, jourTT, e.OptionsEphem, e.MessageEphem);
  e.RetourEphem = p.retour;
  e.Positions[corps][colonne] = p.Longitude();
  if (vitesse) e.Positions[corps][3] = p.Vitesse();
}

// Obliquity and nutation at a TT day into the chart state.
void StockerObliquiteNutation(double jourTT) {
  EtatTheme& e = Etat();
  const ObliquiteNutation o = ObliquiteA(jourTT, e.MessageEphem);
  e.RetourEphem = o.retour;
  e.ObliquiteDeg = o.obliquiteDeg;
  e.ObliquiteRad = o.obliquiteDeg * DegEnRad;
  e.NutationDeg = o.nutationDeg;
}

// The Sun with its equatorial declination (the chart needs both).
void SoleilDansColonne(int colonne, double jourTT) {
  EtatTheme& e = Etat();
  const PositionEcliptique p = PositionEphemeride(SE_SUN, jourTT, e.OptionsEphem, e.MessageEphem);
  e.RetourEphem = p.retour;
  e.Positions[1][colonne] = p.Longitude();
  e.Positions[1][3] = p.Vitesse();
  e.DeclinaisonSoleil = static_cast<float>(Declinaison(p, e.ObliquiteDeg));
}

}  // namespace

PositionEcliptique PositionEphemeride(int corpsEphemeride, double jourTT, std::int32_t options,
                                      char* message) {
  double x[6] = {};
  PositionEcliptique p;
  p.retour = swe_calc(jourTT, corpsEphemeride, options, x, Tampon(message));
  Noter(p.retour, jourTT);
  p.longitudeDeg = x[0];
  p.latitudeDeg = x[1];
  p.distance = x[2];
  p.vitesseDeg = x[3];
  return p;
}

PositionEcliptique PositionCorps(int corps, double jourTT, std::int32_t options, char* message) {
  if (corps < Soleil || corps > NbCorps || NumerosEphemeride[corps] < 0) return {};
  return PositionEphemeride(NumerosEphemeride[corps], jourTT, options, message);
}

PositionEcliptique PositionCorpsTU(int corps, double jourUT, std::int32_t options, char* message) {
  return PositionCorps(corps, jourUT + DeltaT(jourUT), options, message);
}

ObliquiteNutation ObliquiteA(double jourTT, char* message) {
  double x[6] = {};
  ObliquiteNutation o;
  o.retour = swe_calc(jourTT, SE_ECL_NUT, 0, x, Tampon(message));
  Noter(o.retour, jourTT);
  o.obliquiteDeg = x[0];
  o.nutationDeg = x[2];
  return o;
}

double Declinaison(const PositionEcliptique& p, double obliquiteDeg) {
  double x[3] = {p.longitudeDeg, p.latitudeDeg, p.distance};
  double equatorial[3] = {};
  swe_cotrans(x, equatorial, -obliquiteDeg);
  return equatorial[1] * DegEnRad;
}

CuspidesEtAngles Cuspides(int systeme, double latitudeRad, double longitudeDeg, double jourUT) {
  if (latitudeRad == 0) latitudeRad = 1e-10;
  // System 0 shows no houses, but the Ascendant and MC still come from Placidus.
  const int lettre = (systeme >= 1 && systeme <= 9) ? LettresSystemesMaisons[systeme] : 'P';
  double cuspides[13] = {};
  double angles[10] = {};
  // Not a refusal to note: beyond the polar circles the library answers an error
  // for Placidus and Koch and gives Porphyry's cusps, which the chart keeps.
  swe_houses(jourUT, latitudeRad * RadEnDeg, longitudeDeg, lettre, cuspides, angles);
  CuspidesEtAngles c;
  float* m = c.maisons;
  for (int i = 1; i <= 12; ++i) m[i] = static_cast<float>(cuspides[i] * DegEnRad);
  c.ascendant = m[1];
  c.milieuDuCiel = m[10];
  if (systeme == 4) {
    m[1] = static_cast<float>(Normaliser2Pi(m[1] - 15.0 * DegEnRad));
    for (int i = 2; i <= 12; ++i) m[i] = static_cast<float>(Normaliser2Pi(m[1] + (i - 1) * Pi / 6.0));
  } else if (systeme == 9) {
    const int k = static_cast<int>(PartieEntiere(m[1] * RadEnDeg)) / 30 + 1;
    m[1] = static_cast<float>(30.0 * (k - 1) * DegEnRad);
    for (int i = 2; i <= 12; ++i)
      m[i] = static_cast<float>(Normaliser2Pi(30.0 * (i - 1) * DegEnRad + m[1] + 0.00003));
  }
  return c;
}

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
  Etat().OptionsEphem = OptionsPositions;
  swe_set_ephe_path(DossierEphemerides);
}

void FermerEphemerides() { swe_close(); }

SourcesEphemerides SourcesDesEphemerides() {
  SourcesEphemerides s;
  char version[256] = {};
  swe_version(version);
  s.version = version;
  // 0 planets, 1 Moon, 2..4 asteroids and stars: the file each last read, if any.
  for (int i = 0; i < 5; ++i) {
    double debut = 0, fin = 0;
    int de = 0;
    const char* chemin = swe_get_current_file_data(i, &debut, &fin, &de);
    if (!chemin || !*chemin) continue;
    std::string nom(chemin);
    const std::size_t barre = nom.find_last_of('/');
    if (barre != std::string::npos) nom.erase(0, barre + 1);
    s.fichiers.push_back(nom);
  }
  // The Uranian points' orbital elements are read from this file when it is there.
  if (std::FILE* f = std::fopen((std::string(DossierEphemerides) + "/seorbel.txt").c_str(), "r")) {
    std::fclose(f);
    s.fichiers.push_back("seorbel.txt");
  }
  return s;
}

void CalculerObliquite(double jourUT) {
  EtatTheme& e = Etat();
  const ObliquiteNutation o = ObliquiteA(jourUT + DeltaT(jourUT), e.MessageEphem);
  e.RetourEphem = o.retour;
  e.ObliquiteDeg = o.obliquiteDeg;
  e.ObliquiteRad = o.obliquiteDeg * DegEnRad;
}

void CalculerSoleil(double jourTT) {
  SoleilDansColonne(Etat().ColonneCalcul, jourTT);
  Etat().EquationDuTemps = static_cast<float>(EquationTemps(jourTT, Etat().MessageEphem));
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
  StockerObliquiteNutation(jourTT);
  e.EquationDuTemps = static_cast<float>(EquationTemps(jourTT, e.MessageEphem));
  SoleilDansColonne(colonne, jourTT);
  for (int n = Lune; n <= Pluton; ++n) Position(NumerosEphemeride[n], n, colonne, jourTT, true);
  Position(SE_TRUE_NODE, NoeudLunaire, colonne, jourTT, true);
}

void CalculerTransneptuniens(int colonne, double jourTT) {
  EtatTheme& e = Etat();
  StockerObliquiteNutation(jourTT);
  e.EquationDuTemps = static_cast<float>(EquationTemps(jourTT, e.MessageEphem));
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
  const CuspidesEtAngles c = Cuspides(systeme, latitudeRad, e.LongitudeDeg, jourUT);
  for (int i = 1; i <= 12; ++i) e.Maisons[i] = c.maisons[i];
  e.Positions[Ascendant][1] = c.ascendant;
  e.Positions[MilieuDuCiel][1] = c.milieuDuCiel;
}

double EquationTemps(double jourJulien, char* message) {
  double e = 0;
  swe_time_equ(jourJulien, &e, Tampon(message));
  return e * 24.0;
}

std::int32_t LeverCoucher(int corpsEphemeride, int code, double geopos[3], double* tret, double jourUT,
                          std::int32_t options) {
  return swe_rise_trans(jourUT, corpsEphemeride, nullptr, options, code + 768, geopos, 0.0, 15.0, tret,
                        Tampon(nullptr));
}

double DeltaTBibliotheque(double jourUT) { return swe_deltat_ex(jourUT, SEFLG_SWIEPH, Tampon(nullptr)); }

std::int32_t EclipseSolaire(bool arriere, double* tret, double jourUT) {
  return swe_sol_eclipse_when_glob(jourUT, SEFLG_SWIEPH, 0, tret, arriere ? 1 : 0, Tampon(nullptr));
}

std::int32_t EclipseLunaire(bool arriere, double* tret, double jourUT) {
  return swe_lun_eclipse_when(jourUT, SEFLG_SWIEPH, 0, tret, arriere ? 1 : 0, Tampon(nullptr));
}

}  // namespace selvane
