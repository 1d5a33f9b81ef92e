#pragma once
// Keys of the interpretation file "ZadadAduZi.int" and the keys each search of the
// interpretation window builds from body numbers. Plain C++ over the catalogue: the
// interpretation search and the generator's tests share these rules.
#include <set>
#include <string>
#include <vector>

#include "core/Catalogue.h"

namespace selvane {

// "_" then the 3-letter codes separated by one blank ("_SOL Vx", "_SOL LUN MAR").
inline std::string CleInterpretation(int a, int b) {
  return std::string("_") + Codes3[a] + " " + Codes3[b];
}
inline std::string CleInterpretation(int a, int b, int c) {
  return CleInterpretation(a, b) + " " + Codes3[c];
}

// Position 0..22 of a point in the Uranian display order (Aries point first, Vertex last).
inline int RangUranien(int corps) {
  for (int i = 0; i < static_cast<int>(OrdreUranien.size()); ++i)
    if (OrdreUranien[i] == corps) return i;
  return -1;
}

// The keys a contact with the target pair (q, r) looks up, search by search (q = r is the
// single point q). Empty: the search looks nothing up for that combination.

// Sun/Moon search on the natal chart or a return (reference: the Sun/Moon midpoint).
inline std::vector<std::string> ClesSolLunNatal(int q, int r) {
  if (q == Soleil && r == Lune) return {};
  if (q == r) return {CleInterpretation(Soleil, Lune, q)};
  return {CleInterpretation(q, r)};
}

// Sun/Moon search of solar arc and transits: the directed Sun/Moon midpoint on natal points.
inline std::vector<std::string> ClesSolLunDirige(int q, int r) {
  if (q == Soleil && r == Lune) return {};
  return {CleInterpretation(q, r)};
}

// Directed or transiting point p on the natal pair (q, r).
inline std::vector<std::string> ClesPointsDiriges(int p, int q, int r) {
  std::vector<std::string> cles;
  if (q != r && q == p)
    cles.push_back(CleInterpretation(p, p, r));
  else if (q != r && r != p)
    cles.push_back(CleInterpretation(q, r, p));
  else if (q == r && q != p)
    cles.push_back(CleInterpretation(p, p, q));
  if (q == Ascendant && r == Soleil) cles.push_back(CleInterpretation(Soleil, Ascendant, p));
  return cles;
}

// Point p of the natal chart or a return on the pair (q, r) of the same chart.
inline std::vector<std::string> ClesPointsNatal(int p, int q, int r) {
  if (q == r && q == p) return {};
  if (q == r) return {CleInterpretation(p, p, q)};
  if (q == p) return {CleInterpretation(r, r, p)};
  return {CleInterpretation(q, r, p)};
}

// Chosen source midpoint (a, b) on the pair (q, r).
inline std::vector<std::string> ClesMiPointsChoisis(int a, int b, int q, int r) {
  if (q == a && r == b) return {};
  if (q == r) return {CleInterpretation(a, b, q)};
  return {CleInterpretation(q, r)};
}

// Direct lookup of the first, second and optional third point (0: none); empty when the
// window refuses the choice (second before first, or third equal to both).
inline std::string CleRechercheDirecte(int premier, int second, int troisieme) {
  if (RangUranien(second) < RangUranien(premier)) return {};
  if (troisieme != 0 && troisieme == premier && troisieme == second) return {};
  return troisieme == 0 ? CleInterpretation(premier, second)
                        : CleInterpretation(premier, second, troisieme);
}

// Every key the window can ask for, whatever the chart and the user's choices: all targets
// 1..23, the points the lists offer as moving points (the 22 of the display order, without
// the Vertex) and as source midpoints (first from the Aries point .. Vulcanus, second from
// the MC .. Poseidon), the general meanings and the direct lookups.
inline std::set<std::string> ToutesLesClesDesRecherches() {
  std::set<std::string> cles;
  auto ajouter = [&cles](const std::vector<std::string>& liste) {
    cles.insert(liste.begin(), liste.end());
  };
  const int nbListe = 22;  // the lists show the display order without the Vertex
  for (int q = 1; q <= 23; ++q)
    for (int r = 1; r <= 23; ++r) {
      ajouter(ClesSolLunNatal(q, r));
      ajouter(ClesSolLunDirige(q, r));
      for (int j = 0; j < nbListe; ++j) {
        ajouter(ClesPointsDiriges(OrdreUranien[j], q, r));
        ajouter(ClesPointsNatal(OrdreUranien[j], q, r));
      }
      for (int i = 0; i < nbListe - 1; ++i)
        for (int k = 1; k < nbListe; ++k)
          ajouter(ClesMiPointsChoisis(OrdreUranien[i], OrdreUranien[k], q, r));
    }
  for (int i = 0; i < nbListe - 1; ++i)
    for (int k = 1; k < nbListe; ++k) cles.insert(CleInterpretation(OrdreUranien[i], OrdreUranien[k]));
  for (int i = 0; i < nbListe; ++i)
    for (int k = 0; k < nbListe; ++k)
      for (int t = -1; t < nbListe; ++t) {
        std::string cle = CleRechercheDirecte(OrdreUranien[i], OrdreUranien[k],
                                              t < 0 ? 0 : OrdreUranien[t]);
        if (!cle.empty()) cles.insert(cle);
      }
  return cles;
}

}  // namespace selvane
