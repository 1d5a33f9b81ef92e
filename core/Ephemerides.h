#pragma once
// The only caller of the ephemeris library. Each routine passes fixed flags,
// converts degrees to radians and stores into the chart state.
#include <cstdint>

namespace selvane {

// The one fixed ephemeris folder (Debian's swe-standard-data).
extern const char* const DossierEphemerides;

void OuvrirEphemerides();
void FermerEphemerides();

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
double EquationTemps(double jourJulien);  // hours

// geopos: longitude, latitude, height. Returns the library's value; the time
// found is tret[0].
std::int32_t LeverCoucher(int corpsEphemeride, int code, double geopos[3], double* tret, double jourUT);
// The library's own ΔT (days) at a Universal Time instant: the one its eclipse
// times are computed with.
double DeltaTBibliotheque(double jourUT);
// tret receives the eclipse times (tret[0] is the maximum), at least 10 entries.
std::int32_t EclipseSolaire(bool arriere, double* tret, double jourUT);
std::int32_t EclipseLunaire(bool arriere, double* tret, double jourUT);

}  // namespace selvane
