#pragma once
// The midpoint trees of every body of the natal chart in one harmonic dial, on
// the natal layer only, with the dial's tree search; and where each tree goes
// on the page (columns of trees, a new column when one would pass the last line).
#include <bitset>
#include <string>
#include <vector>

#include "core/ArbreMiPoints.h"
#include "techniques/Sequences.h"

namespace selvane {

constexpr int NbHarmoniquesArbres = 16;
constexpr int NbOrbesArbres = 24;
// "H1 360°", "H4  90°", "H16  22°30'" (Windows-1252).
std::string TexteHarmonique(int harmonique);
// "0°05'" .. "2°": (item × 5 + 5) arc minutes.
double OrbeArbres(int item);  // radians

struct ArbreMP {
  int racine;
  // The hits, largest positive offset first; corps2 == 0 for a single body.
  std::vector<LigneArbre> lignes;
  int NombreLignes() const { return static_cast<int>(lignes.size()) + 1; }  // with the root row
  // Where the root row goes: before the first hit whose offset, to the sort text's
  // 0.0001°, is not positive.
  std::size_t PlaceRacine() const;
};

// Trees of bodies 1..24 (whatever the planet set); pairs among the planet set and
// bodies 21..23 (the Sun/Moon midpoint takes no part in pairs).
std::vector<ArbreMP> CalculerArbres(const LongitudesNatales& natal, const std::bitset<256>& jeu, int harmonique,
                                    double orbe);
int NombreMiPoints(const std::vector<ArbreMP>& arbres);  // every hit of every tree
constexpr int MiPointsMax = 300;                         // more: the orb is too wide

// The offset as written in a tree: "+5°03'", "-0°12'" (Windows-1252).
std::string TexteEcartMP(double ecart);

struct PlaceArbre {
  int colonne;  // 0, 1, ...: 9 character widths apart
  int ligne;    // line of the title
};
// Screen: first line 1, limit 60; printer: 5 and 65.
std::vector<PlaceArbre> DisposerArbres(const std::vector<ArbreMP>& arbres, int premiereLigne, int derniereLigne);

}  // namespace selvane
