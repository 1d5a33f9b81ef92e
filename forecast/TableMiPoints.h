#pragma once
// The midpoint table of the forecast window: every point and midpoint of two points reduced
// to a harmonic and sorted by position. Rows are plain data: the window draws them, the
// printer prints them, the command line writes them.
#include <string>
#include <vector>

#include "forecast/Retours.h"

namespace selvane {

struct LigneTableMiPoints {
  int a = 0;              // 0 for a single point
  int b = 0;
  double positionDeg = 0; // reduced to 0..360/h
  std::string position;   // "000.0000"
  std::string code;       // CodeLigne, "0000": b·100 for a point, a·100 + b for a midpoint
};

// One entry of a selection: b = 0 for the single point a.
struct EntreeSelection {
  int a = 0;
  int b = 0;
};

// Harmonic h of the list item (0..15 give 1..16, 16 gives 32).
int HarmoniqueDeLItem(int item);
// Longitudes (radians, 1-based by body) from the natal column 6 for "Natal", else column 2.
int ColonneDeLaTechnique(TechniquePrevision t);

LigneTableMiPoints LignePoint(int b, const double* longitudes, int h);
LigneTableMiPoints LigneMiPointDe(int a, int b, const double* longitudes, int h);

// The 253 rows: 22 points (all but the Vertex and the Sun/Moon midpoint), 231 midpoints.
std::vector<LigneTableMiPoints> CalculerMiPoints(const double* longitudes, int h);
// The chosen entries: a code once, a/b kept apart from b/a.
std::vector<LigneTableMiPoints> CalculerPointsSelectionnes(const std::vector<EntreeSelection>& selection,
                                                     const double* longitudes, int h);

// The column `colonne` of Positions as a 1-based array of 25 longitudes.
std::vector<double> LongitudesDeColonne(int colonne);

}  // namespace selvane
