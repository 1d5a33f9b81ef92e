#pragma once
// Bodies and midpoints of two bodies standing on a reference point of a harmonic dial (or on
// the point half a dial away): the hits the dial draws as lines and lists as a tree. Pure
// functions of the longitudes they are given; no chart state.
#include <bitset>
#include <string>
#include <vector>

namespace selvane {

// Whether a body may take part in a midpoint: in the planet set, or one of the points
// 21..24 (Ascendant, MC, Aries point, followed midpoint) which always may.
bool DansLesPaires(int corps, const std::bitset<256>& jeu);

// One row of a tree: a single body (corps2 = 0) or the midpoint of two, at a signed offset.
struct LigneArbre {
  int harmonique = 0;  // the dial the hit was found in: H, or 2H / 4H for the sub-harmonic passes
  int corps1 = 0;
  int corps2 = 0;
  double ecart = 0;    // reference minus body (or midpoint), folded to -M/2..M/2, radians
  int cle = 0;         // corps1 * 1000 + corps2: the same hit found twice has the same key
};

struct ParametresArbre {
  int harmonique = 4;
  double orbe = 0;                // radians; a hit at exactly the orb is kept
  bool sousHarmoniques = false;   // "H+++": also 2H and 4H, for H = 4 or 8 only
  int corpsReference = 0;         // excluded from the single bodies; 0 for a free point
  std::bitset<256> jeu;           // the planet set filtering the pairs
};

// The tree of a reference longitude (radians, any value; it is reduced to the dial) over
// longitudes[1..24] of the searched layer: two passes (the reference and the point half a
// dial away), ordered by offset, one row per key (the last found survives a duplicate).
std::vector<LigneArbre> ChercherArbre(const double longitudes[25], double reference, const ParametresArbre& p);

// Deletes rows whose key equals the next row's, so a run of equal keys keeps its last row.
// The rows are expected sorted on the key.
void EffacerDoublons(std::vector<LigneArbre>& lignes);

// The offset as the tree shows it: "> 5°03´" or "- 0°12´" (Windows-1252).
std::string TexteEcartArbre(double ecart);

// One midpoint line: the pair (j < k) whose midpoint stands within the orb of the reference.
struct LigneMiPoint {
  int harmonique = 0;
  int corps1 = 0;
  int corps2 = 0;
  double distance = 0;  // unsigned distance on the dial, 0..M/2, radians
  bool serre = false;   // within the tight orb: drawn green with its two radii, else blue
};

struct ParametresLignes {
  int harmonique = 4;
  double orbe = 0;
  double orbeSerre = 0;
  bool sousHarmoniques = false;
  std::bitset<256> jeu;
};

// The midpoint lines of a reference longitude over longitudes[1..24]: pairs only, both
// allowed by DansLesPaires, two passes, then the sub-harmonic passes when asked.
std::vector<LigneMiPoint> ChercherLignesMiPoints(const double longitudes[25], double reference,
                                                 const ParametresLignes& p);

}  // namespace selvane
