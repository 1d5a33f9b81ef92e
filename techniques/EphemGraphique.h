#pragma once
// The graphic ephemeris: over 1 to 24 months, the transiting bodies' longitudes folded into a
// dial of modulus M, against the natal points and midpoints as horizontal lines, with every
// instant a body stands on a line (a crossing), found to the minute. No widgets; positions come
// from the core's pure ephemeris requests, the chart state is not read.
#include <array>
#include <bitset>
#include <string>
#include <vector>

#include "techniques/Sequences.h"

namespace selvane {

// The moduli offered: 360°, 90°, 45°, 22°30'.
constexpr std::array<double, 4> ModulesGraphe = {360.0, 90.0, 45.0, 22.5};
bool ModuleGrapheValide(double moduleDeg);
constexpr int MoisGrapheMin = 1;
constexpr int MoisGrapheMax = 24;

// The natal lines: the points (1..24 allowed in pairs by the planet set), the midpoints of those
// points with the Ascendant, MC and Aries point, or only the midpoints with a personal point (Sun,
// Moon, node, Ascendant, MC) as one member; Tous is points and midpoints.
enum class CiblesGraphe { Points, MiPoints, Personnels, Tous };

struct NatalGraphe {
  LongitudesNatales longitudes{};   // radians, 1..24
  double jourJulienNaissance = 0;   // Universal Time (solar arc)
};

struct DemandeGraphe {
  int jour = 1, mois = 1, annee = 2027;  // the first day, 0h UT
  int nbMois = 12;                        // 1..24
  double moduleDeg = 90;
  std::vector<int> corps = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};  // among 1..19
  CiblesGraphe cibles = CiblesGraphe::Points;
  bool arcSolaire = false;  // the natal points directed by solar arc as moving lines too
};

struct CibleGraphe {
  int a = 0, b = 0;          // b == 0: a single point
  double longitudeDeg = 0;   // 0..360
  double positionDeg = 0;    // in the dial, 0..M
};

// One sample of a curve: the longitude folded into 0..M.
struct PointCourbe {
  double jourTU = 0;
  double positionDeg = 0;
};
struct CourbeGraphe {
  int corps = 0;
  bool dirige = false;  // a solar-arc directed natal point
  std::vector<PointCourbe> points;
};

struct Croisement {
  double jourTU = 0;       // Universal Time, to the minute or better
  int corps = 0;           // transiting body (or directed natal point when dirige)
  bool dirige = false;
  bool retrograde = false;
  double aspectDeg = 0;    // k·M folded into 0..180
  int a = 0, b = 0;        // the target; b == 0 for a single point
  double cibleDeg = 0;     // the target's longitude, 0..360
};

struct EphemGraphique {
  DemandeGraphe demande;
  double debutTU = 0, finTU = 0;
  std::vector<CibleGraphe> cibles;
  std::vector<CourbeGraphe> courbes;     // in the order of demande.corps, then the directed points
  std::vector<Croisement> croisements;   // sorted by time
};

// The lines of a target choice over a natal chart and planet set.
std::vector<CibleGraphe> CiblesDuGraphe(const LongitudesNatales& natal, const std::bitset<256>& jeu,
                                        CiblesGraphe choix, double moduleDeg);

// Everything drawn and listed. Throws ErreurEphemerides when the ephemeris refuses a date.
EphemGraphique CalculerEphemGraphique(const NatalGraphe& natal, const std::bitset<256>& jeu,
                                      const DemandeGraphe& demande);

// A longitude (degrees) as the transiting body or directed point of a crossing stands at jourTU.
double LongitudeSource(const NatalGraphe& natal, int corps, bool dirige, double jourTU);

// The aspect of a separation (degrees) folded into 0..180.
double AspectReplie(double separationDeg);

// The crossings as CSV, header "jd_ut,date,time,body,aspect,a,b,target_deg": the date and time
// of the crossing's minute (UT), a directed point's body as "d5", b empty for a single point.
std::string CsvEphemGraphique(const EphemGraphique& g);

// "janv. 2027" (Windows-1252), month 1..12.
std::string EtiquetteMoisGraphe(int mois, int annee);

}  // namespace selvane
