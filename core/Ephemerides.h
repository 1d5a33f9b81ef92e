#pragma once
// The only caller of the ephemeris library. Under the chart state, pure
// requests take their inputs and return the library's results; the writers
// below them (Calculer...) store those results into the chart state.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Avertissements.h"
#include "core/Catalogue.h"

namespace selvane {

// The one fixed ephemeris folder (Debian's swe-standard-data).
extern const char* const DossierEphemerides;

// A request the library refused (a date outside its files, most often). Every
// request below (pure or writer) keeps the first refusal since the last EffacerRefusEphemerides
// instead of storing the library's zeros as positions silently; the chart
// computation then stops with it. The message is French, UTF-8.
class ErreurEphemerides : public ErreurConversion {
 public:
  using ErreurConversion::ErreurConversion;
};
void EffacerRefusEphemerides();
// Throws ErreurEphemerides when a request failed since the last clearing (and clears).
void SignalerRefusEphemerides();

// The flags of every position request once the library is open: with speeds.
constexpr std::int32_t OptionsPositions = 256;

// --- Pure requests ---------------------------------------------------------
// message, when given, receives the library's error text (at least 256 bytes).

// One position as the library gives it: degrees, and the library's return value.
struct PositionEcliptique {
  double longitudeDeg = 0;
  double latitudeDeg = 0;
  double distance = 0;
  double vitesseDeg = 0;  // degrees/day in longitude
  std::int32_t retour = 0;
  double Longitude() const { return longitudeDeg * DegEnRad; }  // radians
  double Latitude() const { return latitudeDeg * DegEnRad; }
  double Vitesse() const { return vitesseDeg * DegEnRad; }      // radians/day
};

// A body by the library's own number, at a TT day.
PositionEcliptique PositionEphemeride(int corpsEphemeride, double jourTT,
                                      std::int32_t options = OptionsPositions, char* message = nullptr);
// Body n of the catalogue (1..19 with a library number) at a TT day.
PositionEcliptique PositionCorps(int corps, double jourTT, std::int32_t options = OptionsPositions,
                                 char* message = nullptr);
// The same at a UT day: ΔT is added first.
PositionEcliptique PositionCorpsTU(int corps, double jourUT, std::int32_t options = OptionsPositions,
                                   char* message = nullptr);

struct ObliquiteNutation {
  double obliquiteDeg = 0;  // true obliquity
  double nutationDeg = 0;   // nutation in longitude
  std::int32_t retour = 0;
};
ObliquiteNutation ObliquiteA(double jourTT, char* message = nullptr);

// Equatorial declination of an ecliptic position, radians.
double Declinaison(const PositionEcliptique& position, double obliquiteDeg);

// Cusps 1..12 (radians, single precision as stored) after the adjustments of
// systems 4 and 9; the Ascendant and MC are the library's.
struct CuspidesEtAngles {
  float maisons[13] = {};
  float ascendant = 0;
  float milieuDuCiel = 0;
};
CuspidesEtAngles Cuspides(int systeme, double latitudeRad, double longitudeDeg, double jourUT);

double EquationTemps(double jourJulien, char* message = nullptr);  // hours

// geopos: longitude, latitude, height. Returns the library's value; the time
// found is tret[0].
std::int32_t LeverCoucher(int corpsEphemeride, int code, double geopos[3], double* tret, double jourUT,
                          std::int32_t options = OptionsPositions);
// The library's own ΔT (days) at a Universal Time instant: the one its eclipse
// times are computed with.
double DeltaTBibliotheque(double jourUT);
// tret receives the eclipse times (tret[0] is the maximum), at least 10 entries.
std::int32_t EclipseSolaire(bool arriere, double* tret, double jourUT);
std::int32_t EclipseLunaire(bool arriere, double* tret, double jourUT);

// --- Writers into the chart state ------------------------------------------
// They store the results above into the column ColonneCalcul selects (or the
// one given), column 3 for speeds, and the scalars. Opening sets the state's
// request flags and the library's data path.

void OuvrirEphemerides();
void FermerEphemerides();

// For the calculation stamp of printed pages and exports: the library's version and the
// names of the data files it has read from (planets, Moon, the fictitious bodies' elements).
struct SourcesEphemerides {
  std::string version;
  std::vector<std::string> fichiers;
};
SourcesEphemerides SourcesDesEphemerides();

void CalculerObliquite(double jourUT);
void CalculerSoleil(double jourTT);
void CalculerLune(double jourTT);
void CalculerNoeud(double jourTT);
// Mercury (3) .. Pluto (10).
void CalculerPlanete(int corps, double jourTT);
void CalculerPlanetes(int colonne, double jourTT);
void CalculerTransneptuniens(int colonne, double jourTT);
void CalculerCorps(int corps, double jourUT);
void CalculerMaisons(int systeme, double latitudeRad, double jourUT);

}  // namespace selvane
