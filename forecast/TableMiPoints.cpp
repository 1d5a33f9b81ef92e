#include "forecast/TableMiPoints.h"

#include <algorithm>
#include <cstdio>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"

namespace selvane {

namespace {

std::string Texte8(double degres) {
  char s[32];
  std::snprintf(s, sizeof s, "%08.4f", degres);
  return s;
}

std::string Code(int code) {
  char s[16];
  std::snprintf(s, sizeof s, "%04d", code);
  return s;
}

LigneTableMiPoints Ligne(int a, int b, double positionRad, int code) {
  LigneTableMiPoints l;
  l.a = a;
  l.b = b;
  l.positionDeg = positionRad * RadEnDeg;
  l.position = Texte8(l.positionDeg);
  l.code = Code(code);
  return l;
}

void TrierParPosition(std::vector<LigneTableMiPoints>& lignes) {
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneTableMiPoints& x, const LigneTableMiPoints& y) { return x.position < y.position; });
}

// The points of the table: every catalogue point but the Vertex and the Sun/Moon midpoint.
bool DansLaTable(int b) { return b >= 1 && b <= 23 && b != Vertex; }

}  // namespace

int HarmoniqueDeLItem(int item) { return item >= 16 ? 32 : std::max(0, item) + 1; }

int ColonneDeLaTechnique(TechniquePrevision t) { return t == TechniquePrevision::Natal ? 6 : 2; }

LigneTableMiPoints LignePoint(int b, const double* longitudes, int h) {
  const float p = static_cast<float>(Reste(DeuxPi / h, longitudes[b]));
  return Ligne(0, b, p, b * 100);
}

LigneTableMiPoints LigneMiPointDe(int a, int b, const double* longitudes, int h) {
  const float m = static_cast<float>(MiPoint(longitudes[a], longitudes[b]));
  return Ligne(a, b, Reste(DeuxPi / h, m), a * 100 + b);
}

std::vector<LigneTableMiPoints> CalculerMiPoints(const double* longitudes, int h) {
  std::vector<LigneTableMiPoints> lignes;
  lignes.reserve(253);
  for (int b = 1; b <= 23; ++b)
    if (DansLaTable(b)) lignes.push_back(LignePoint(b, longitudes, h));
  for (int a = 1; a <= 22; ++a) {
    if (!DansLaTable(a)) continue;
    for (int b = a + 1; b <= 23; ++b)
      if (DansLaTable(b)) lignes.push_back(LigneMiPointDe(a, b, longitudes, h));
  }
  TrierParPosition(lignes);
  return lignes;
}

std::vector<LigneTableMiPoints> CalculerPointsSelectionnes(const std::vector<EntreeSelection>& selection,
                                                     const double* longitudes, int h) {
  std::vector<LigneTableMiPoints> lignes;
  for (const EntreeSelection& e : selection)
    if (e.b == 0) lignes.push_back(LignePoint(e.a, longitudes, h));
  for (const EntreeSelection& e : selection)
    if (e.b != 0) lignes.push_back(LigneMiPointDe(e.a, e.b, longitudes, h));
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneTableMiPoints& x, const LigneTableMiPoints& y) { return x.code < y.code; });
  lignes.erase(std::unique(lignes.begin(), lignes.end(),
                           [](const LigneTableMiPoints& x, const LigneTableMiPoints& y) { return x.code == y.code; }),
               lignes.end());
  TrierParPosition(lignes);
  return lignes;
}

std::vector<double> LongitudesDeColonne(int colonne) {
  std::vector<double> l(NbCorps + 1, 0.0);
  for (int b = 1; b <= NbCorps; ++b) l[b] = Etat().Positions[b][colonne];
  return l;
}

}  // namespace selvane
