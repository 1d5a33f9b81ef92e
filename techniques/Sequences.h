#pragma once
// Planetary sequences: the natal points folded into the 22°30' dial, sorted, and
// the groups that stand within an orb of their first member.
#include <array>
#include <string>
#include <vector>

namespace selvane {

// Natal longitudes, radians, by body number 1..24 (entry 0 unused).
using LongitudesNatales = std::array<double, 25>;
// Column 6 of the chart state's positions (the natal chart frozen by the radix step).
LongitudesNatales LireLongitudesNatales();

struct PointSequence {
  int corps;
  double positionDeg;       // longitude mod 22.5°
  std::string position;     // FormatDMS of it
  std::string cle;          // "00.0000": the sort text
};

struct Sequence {
  int numero;               // from 1
  std::vector<int> corps;   // members in dial order
  std::string texte;        // glyphs joined by "=", at most 20 characters (Windows-1252)
};

constexpr int LongueurSequenceMax = 20;

// Bodies 1..23 in order of their place in the 22°30' dial.
std::vector<PointSequence> TrierPointsSequences(const LongitudesNatales& natal);
// orbe: degrees (0.5 or 1).
std::vector<Sequence> CalculerSequences(const std::vector<PointSequence>& points, double orbeDeg);

}  // namespace selvane
