// The settings and colour files as first installed.
#include "reglages/Reglages.h"

namespace selvane {

namespace {

// Light screen: white ground, strong body colours, pale sign sectors.
const std::vector<std::string> kEcranClair = {
    "clWhite",
    // Sun .. Pluto
    "$000080FF", "clNavy", "clGreen", "$00C000C0", "clRed", "clPurple", "clMaroon", "clTeal",
    "clBlue", "clBlack",
    // Cupido .. Poseidon
    "$00005080", "$00404040", "$00008080", "$00804000", "$00008040", "$00604060", "$00004080",
    "$00806000",
    // node, Vertex, Ascendant, MC, Aries point, Sun/Moon midpoint
    "clGray", "clGray", "clBlack", "clBlack", "clBlack", "clMaroon",
    // sign sectors: fire, earth, air, water
    "$00D8E0FF", "$00D0F0D0", "$00C8FFFF", "$00FFE8D0",
    // sign glyphs
    "clRed", "clGreen", "clOlive", "clBlue",
    // aspects 0..8
    "clNavy", "clGreen", "clRed", "clBlue", "clRed", "clBlue", "clRed", "clGreen", "clRed"};

// Dark screen: black ground, light colours.
const std::vector<std::string> kEcranFonce = {
    "clBlack",
    "clYellow", "clSilver", "clLime", "$00FF80FF", "$004040FF", "$00FF80C0", "$004080FF", "clAqua",
    "$00FFA060", "clWhite",
    "$0080C0FF", "$00C0C0C0", "$0080FFFF", "$00FFC080", "$0080FF80", "$00FFA0FF", "$0060A0FF",
    "$00FFE080",
    "clSilver", "clSilver", "clWhite", "clWhite", "clWhite", "$0080C0FF",
    "$00000050", "$00004000", "$00004848", "$00500000",
    "$006060FF", "clLime", "clYellow", "clAqua",
    "clYellow", "clLime", "$006060FF", "$00FFA060", "$006060FF", "$00FFA060", "$006060FF", "clLime",
    "$006060FF"};

// Printing: white paper, colours that stay readable in grey.
const std::vector<std::string> kImpression = {
    "clWhite",
    "$000060C0", "clNavy", "clGreen", "clPurple", "clRed", "clPurple", "clMaroon", "clTeal",
    "clBlue", "clBlack",
    "$00004080", "clBlack", "clOlive", "$00804000", "$00006020", "$00400040", "$00004080",
    "$00604000",
    "clBlack", "clGray", "clBlack", "clBlack", "clBlack", "clMaroon",
    "$00E8ECFF", "$00E8F8E8", "$00E0FFFF", "$00FFF0E8",
    "clRed", "clGreen", "clOlive", "clBlue",
    "clBlack", "clGreen", "clRed", "clBlue", "clRed", "clBlue", "clRed", "clGreen", "clRed"};

std::vector<std::string> JeuComplet() {
  std::vector<std::string> l;
  for (int n = 1; n <= 20; ++n) l.push_back(std::to_string(n));
  return l;
}

}  // namespace

const std::vector<FichierParDefaut>& FichiersParDefaut() {
  static const std::vector<FichierParDefaut> fichiersInstalles = {
      // The nine aspects on, classical orbs; Placidus; Ascendant on the left.
      {fichiers::Options,
       {"o", " 8.0", "o", " 2.0", "o", " 2.0", "o", " 5.0", "o", " 7.0", "o", " 7.0", "o", " 2.0",
        "o", " 3.0", "o", " 8.0", "1", "o"}},
      {fichiers::JeuPlanetes, JeuComplet()},
      {fichiers::ColoredCrowns, {"1"}},
      {fichiers::TaillesGlyphes, {"0", "0", "0"}},
      {fichiers::CouleursEcran, kEcranClair},
      {fichiers::CouleursEcranClair, kEcranClair},
      {fichiers::CouleursEcranFonce, kEcranFonce},
      {fichiers::CouleursImpression, kImpression},
      {fichiers::ModeleEcranClair, kEcranClair},
      {fichiers::ModeleEcranFonce, kEcranFonce},
      {fichiers::ModeleImpression, kImpression},
  };
  return fichiersInstalles;
}

}  // namespace selvane
