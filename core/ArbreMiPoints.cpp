#include "core/ArbreMiPoints.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"

namespace selvane {
namespace {

// Signed offset of x from the reference t on a dial of modulus M, folded to -M/2..M/2.
// (A difference above M/2 is taken as d - M: the reference then stands before the point.)
double Replier(double d, double M) {
  if (d > M / 2) return d - M;
  if (d < -M / 2) return d + M;
  return d;
}

// x in 0..M; adding M only to a negative remainder keeps the others exact.
double DansLeCadran(double x, double M) {
  const double r = std::fmod(x, M);
  return r < 0 ? r + M : r;
}

// Distance on the dial, 0..M/2.
double Distance(double v, double m, double M) {
  double d = v - m;
  if (d < 0) d += M;
  if (d > M / 2) d = M - d;
  return d;
}

// The offset sort text of the tree: (degrees + 10) on "00.0000", compared as text.
std::string CleDEcart(double ecart) {
  char tampon[32];
  std::snprintf(tampon, sizeof tampon, "%07.4f", ecart * RadEnDeg + 10.0);
  return tampon;
}

void PassesArbre(const double longitudes[25], double reference, int h, double orbe, const ParametresArbre& p,
                 std::vector<LigneArbre>& lignes) {
  const double M = DeuxPi / h;
  const double t0 = DansLeCadran(reference, M);
  for (int passe = 0; passe < 2; ++passe) {
    const double t = passe == 0 ? t0 : std::fmod(t0 + M / 2, M);
    for (int u = 1; u <= NbCorps; ++u) {
      if (u == p.corpsReference) continue;
      const double d = Replier(t - std::fmod(longitudes[u], M), M);
      if (std::fabs(d) <= orbe) lignes.push_back({h, u, 0, d, u * 1000});
    }
    for (int u = 1; u < NbCorps; ++u) {
      if (!DansLesPaires(u, p.jeu)) continue;
      for (int w = u + 1; w <= NbCorps; ++w) {
        if (!DansLesPaires(w, p.jeu)) continue;
        const double m = std::fmod(MiPoint(longitudes[w], longitudes[u]), M);
        const double d = Replier(t - m, M);
        if (std::fabs(d) <= orbe) lignes.push_back({h, u, w, d, u * 1000 + w});
      }
    }
  }
}

void TrierEtDedoublonner(std::vector<LigneArbre>& lignes) {
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneArbre& a, const LigneArbre& b) { return a.cle < b.cle; });
  EffacerDoublons(lignes);
  std::stable_sort(lignes.begin(), lignes.end(), [](const LigneArbre& a, const LigneArbre& b) {
    return CleDEcart(a.ecart) < CleDEcart(b.ecart);
  });
}

void PassesLignes(const double longitudes[25], double reference, int h, double orbe, double orbeSerre,
                  const ParametresLignes& p, std::vector<LigneMiPoint>& lignes) {
  const double M = DeuxPi / h;
  const double v0 = DansLeCadran(reference, M);
  for (int passe = 0; passe < 2; ++passe) {
    const double v = passe == 0 ? v0 : std::fmod(v0 + M / 2, M);
    for (int j = 1; j < NbCorps; ++j) {
      if (!DansLesPaires(j, p.jeu)) continue;
      for (int k = j + 1; k <= NbCorps; ++k) {
        if (!DansLesPaires(k, p.jeu)) continue;
        const double d = Distance(v, std::fmod(MiPoint(longitudes[k], longitudes[j]), M), M);
        if (d <= orbeSerre) lignes.push_back({h, j, k, d, true});
        else if (d <= orbe) lignes.push_back({h, j, k, d, false});
      }
    }
  }
}

}  // namespace

bool DansLesPaires(int corps, const std::bitset<256>& jeu) {
  return corps >= Ascendant || (corps >= 1 && jeu.test(static_cast<std::size_t>(corps)));
}

void EffacerDoublons(std::vector<LigneArbre>& lignes) {
  if (lignes.size() < 2) return;
  std::vector<LigneArbre> gardees;
  gardees.reserve(lignes.size());
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    if (i + 1 < lignes.size() && lignes[i].cle == lignes[i + 1].cle) continue;
    gardees.push_back(lignes[i]);
  }
  lignes.swap(gardees);
}

std::vector<LigneArbre> ChercherArbre(const double longitudes[25], double reference, const ParametresArbre& p) {
  std::vector<LigneArbre> lignes;
  const int H = p.harmonique;
  PassesArbre(longitudes, reference, H, p.orbe, p, lignes);
  TrierEtDedoublonner(lignes);
  if (p.sousHarmoniques && (H == 4 || H == 8)) {
    PassesArbre(longitudes, reference, 2 * H, p.orbe / 2, p, lignes);
    PassesArbre(longitudes, reference, 4 * H, p.orbe / 4, p, lignes);
    TrierEtDedoublonner(lignes);
  }
  return lignes;
}

std::string TexteEcartArbre(double ecart) { return FormatArbre(ecart); }

std::vector<LigneMiPoint> ChercherLignesMiPoints(const double longitudes[25], double reference,
                                                 const ParametresLignes& p) {
  std::vector<LigneMiPoint> lignes;
  const int H = p.harmonique;
  PassesLignes(longitudes, reference, H, p.orbe, p.orbeSerre, p, lignes);
  if (p.sousHarmoniques && (H == 4 || H == 8)) {
    const double serre = H == 4 ? p.orbeSerre / 2 : p.orbeSerre / 4;
    PassesLignes(longitudes, reference, 2 * H, p.orbe / 2, serre, p, lignes);
    PassesLignes(longitudes, reference, 4 * H, p.orbe / 4, serre, p, lignes);
  }
  return lignes;
}

}  // namespace selvane
