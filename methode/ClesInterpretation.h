#pragma once
// Keys of the interpretation file "ZadadAduZi.int" and the keys each search of the
// interpretation window builds from body numbers. Plain C++ over the catalogue: the
// interpretation search, the command line and the text generator's checks share these rules.
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

// The file holds each midpoint and picture once, its first two points in display order.
inline bool DansLOrdre(int a, int b) { return RangUranien(a) <= RangUranien(b); }

// The key of the midpoint A/B, or of the picture A/B = C, whichever order A and B come in.
inline std::string CleMiPoint(int a, int b) {
  return DansLOrdre(a, b) ? CleInterpretation(a, b) : CleInterpretation(b, a);
}
inline std::string CleMiPoint(int a, int b, int c) { return CleMiPoint(a, b) + " " + Codes3[c]; }

// Whether a key's first two codes come in display order (a malformed key does not).
inline bool CleDansLOrdre(const std::string& cle) {
  auto rang = [](const std::string& code) {
    for (int c = 1; c < static_cast<int>(Codes3.size()); ++c)
      if (code == Codes3[c]) return RangUranien(c);
    return -1;
  };
  const std::size_t blanc = cle.find(' ');
  if (cle.size() < 2 || cle[0] != '_' || blanc == std::string::npos) return false;
  const std::size_t fin = cle.find(' ', blanc + 1);
  const int a = rang(cle.substr(1, blanc - 1));
  const int b = rang(cle.substr(blanc + 1, fin == std::string::npos ? std::string::npos : fin - blanc - 1));
  return a >= 0 && b >= 0 && a <= b;
}

// The keys a contact with the target pair (q, r) looks up, search by search (q = r is the
// single point q). Empty: the search looks nothing up for that combination. A pair is visited
// in both orders and each order builds its own key; the file answers only the one whose
// points come in display order, so each midpoint or picture is reported once.

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
  return cles;
}

// Point p of the natal chart or a return on the pair (q, r) of the same chart. On a pair that
// holds p itself, the picture p/r = p or q/p = p: its two visits build the two orders.
inline std::vector<std::string> ClesPointsNatal(int p, int q, int r) {
  if (q == r && q == p) return {};
  if (q == r) return {CleInterpretation(p, p, q)};
  return {CleInterpretation(q, r, p)};
}

// Chosen source midpoint (a, b) on the pair (q, r). The source's own pair, in either order,
// is no hit ("Soleil/Mars = Mars/Soleil"); the source's pictures are read in display order,
// whichever order the user chose it in.
inline std::vector<std::string> ClesMiPointsChoisis(int a, int b, int q, int r) {
  if ((q == a && r == b) || (q == b && r == a)) return {};
  if (q == r) return {CleMiPoint(a, b, q)};
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

// Every key the window can ask for and the file must answer, whatever the chart and the
// user's choices: all targets 1..23, the points the lists offer as moving points (the 22 of
// the display order, without the Vertex) and as source midpoints (first from the Aries
// point .. Vulcanus, second from the MC .. Poseidon), the general meanings and the direct
// lookups. Keys in reverse order are left out: the other visit of their pair finds the text.
inline std::set<std::string> ToutesLesClesDesRecherches() {
  std::set<std::string> cles;
  auto ajouter = [&cles](const std::vector<std::string>& liste) {
    for (const std::string& cle : liste)
      if (CleDansLOrdre(cle)) cles.insert(cle);
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
    for (int k = 1; k < nbListe; ++k) cles.insert(CleMiPoint(OrdreUranien[i], OrdreUranien[k]));
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
