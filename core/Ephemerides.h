#pragma once
// The only caller of the ephemeris library. Each routine passes fixed flags,
// converts degrees to radians and stores into the chart state.
#include <cstdint>

#include "Avertissements.h"

namespace selvane {

// The one fixed ephemeris folder (Debian's swe-standard-data).
extern const char* const DossierEphemerides;

// A request the library refused (a date outside its files, most often). The
// routines below keep the first refusal since the last EffacerRefusEphemerides
// instead of storing the library's zeros as positions silently; the chart
// computation then stops with it. The message is French, UTF-8.
class ErreurEphemerides : public ErreurConversion {
 public:
  using ErreurConversion::ErreurConversion;
};
void EffacerRefusEphemerides();
// Throws ErreurEphemerides when a request failed since the last clearing (and clears).
void SignalerRefusEphemerides();

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
