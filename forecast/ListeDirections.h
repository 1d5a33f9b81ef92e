#pragma once
// The dated contacts of the directions and transits list, built without widgets: the
// window shows these rows, prints them and copies them; the command line writes them.
// Texts are Windows-1252 bytes (glyph letters and aspect glyphs are "Celvan S" codes).
#include <array>
#include <string>
#include <vector>

#include "methode/Moment.h"

namespace selvane {

// The natal chart the list reads: longitudes (radians) of bodies 1..23 and the birth moment.
struct NatalDirections {
  std::array<double, 25> longitudes{};
  double jourJulienNaissance = 0;  // Universal Time
};
// From the frozen natal column of the chart state and its JourJulienTU.
NatalDirections NatalDepuisEtat();

// Bodies the three point lists offer, in their order: 1..19, the Ascendant, the MC, the Aries point.
extern const std::array<int, 22> CorpsDesListes;

// The harmonics of the list: 2^item for items 0..4.
extern const std::array<const char*, 5> LibellesHarmoniques;  // "H1  360°" .. (Windows-1252)
bool HarmoniqueValide(int harmonique);

struct DemandeDirections {
  std::vector<int> p1, p2, p3;  // body numbers, any order (taken in number order)
  int harmonique = 4;
  int debut = 1, fin = 2;       // ages: contacts from debut to fin + 1
  bool versMiPoints = true;     // true: P1 to the natal midpoints P2/P3; false: P1/P2 to P3
};

struct LigneDirection {
  int p = 0, q = 0;    // directed point, second point of a directed midpoint (0: none)
  int a = 0, b = 0;    // natal midpoint a/b (a = b: a point); for midpoint directions b is the target
  double cibleDeg = 0; // column 1: the target (point directions) or the directed midpoint, in the circle
  double jour = 0;     // Julian day of the contact (Universal Time)
  double age = 0;      // years
  double arcDeg = 0;   // solar arc at the contact
  std::array<std::string, 6> cellules;  // contact, position, date, age, arc, sort key
};

// The solar arc at the end of each year of age k = debut + 1 .. fin + 1, and its growth during it.
struct ArcAnnuel {
  int k = 0;
  double arc = 0;     // radians, not reduced
  double gain = 0;    // its growth during that year: the Sun's motion over day k after birth
};
std::vector<ArcAnnuel> ArcsParAnnee(const NatalDirections& natal, int debut, int fin);

// Sorted by the arc, hence by time. Reads the Sun of the ephemeris only.
std::vector<LigneDirection> CalculerDirections(const NatalDirections& natal, const DemandeDirections& demande);

// The five aspects of the transit list: indices of AnglesAspects.
extern const std::array<int, 5> AspectsProposes;  // 0, 2, 4, 6, 8

struct DemandeTransits {
  std::vector<int> p1, p2, p3;   // transiting bodies among 1..19; natal points
  int annee = 2000;              // 0..2100
  int jours = 730;               // 365 or 730
  std::vector<int> aspects{0};   // indices among AspectsProposes; the conjunction is always added
};

struct LigneTransit {
  int corps = 0;
  bool retrograde = false;
  int aspect = 0;             // index of AnglesAspects
  int a = 0, b = 0;           // natal midpoint (a = b: a point)
  double pointAspectDeg = 0;  // where the contact happens: the midpoint and the aspect on its side
  double jour = 0;            // Julian day (Universal Time)
  double age = 0;
};
// Its texts: contact, aspect point, date - time, age, "", sort key. Apart from the row, so that a
// long list costs its ephemeris requests and little more.
std::array<std::string, 6> CellulesTransit(const LigneTransit& ligne);

// AnneeTransitsValide (0..2100) and the year prompt's reading come with methode/Moment.h.

// Day by day from 0h UT on 1 January, one ephemeris request per transiting body and day;
// the moment inside the day comes from the positions and speeds of its two ends. Throws
// ErreurEphemerides when the ephemeris refuses a day. Sorted by time.
std::vector<LigneTransit> CalculerTransits(const NatalDirections& natal, const DemandeTransits& demande);

// "Tableau de 5 colonnes et 10 lignes à coller" (Windows-1252).
std::string MessageExport(int colonnes, int lignes);

}  // namespace selvane
