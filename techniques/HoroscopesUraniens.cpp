#include "techniques/HoroscopesUraniens.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "birthdata/records/Cp1252.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"

namespace selvane {

namespace {

double Deg(double radians) { return Normaliser360(radians * RadEnDeg); }

double Ecart180(double a, double b) {
  const double d = Normaliser360(a - b);
  return d > 180 ? 360 - d : d;
}

}  // namespace

std::array<double, 13> MaisonsMeridiennes(double tempsSideralDeg, double obliquiteRad, double mcDeg) {
  std::array<double, 13> c{};
  c[10] = Normaliser360(mcDeg);
  c[4] = Normaliser360(mcDeg + 180);
  for (int k = 7; k <= 11; ++k) {
    // Reduced first, so that 90° and 270° are the exact quarter turns.
    const double a = Normaliser360(tempsSideralDeg + 30.0 * k) * DegEnRad;
    double x = std::atan(Tangente(a) / std::cos(obliquiteRad)) * RadEnDeg;
    if (std::cos(a) < 0) x += 180;
    c[static_cast<std::size_t>(k - 2)] = Normaliser360(x);
  }
  c[11] = Normaliser360(c[5] + 180);
  c[12] = Normaliser360(c[6] + 180);
  for (int k = 1; k <= 3; ++k) c[static_cast<std::size_t>(k)] = Normaliser360(c[static_cast<std::size_t>(k + 6)] + 180);
  return c;
}

Cadre CalculerCadre(int item, const LongitudesNatales& natal, double tempsSideralDeg, double obliquiteRad) {
  Cadre c;
  c.item = item;
  struct Definition {
    int corps;  // 0: the Aries point at 0°
    double origine;
    char glyphe;
  };
  static const Definition definitions[NbCadres] = {
      {Soleil, 270, 'A'}, {Lune, 90, 'B'}, {Ascendant, 0, 'K'}, {MilieuDuCiel, 90, 'L'},
      {0, 180, '\\'},     {NoeudLunaire, 0, 'M'}, {MilieuDuCiel, 0, 'L'}};
  const Definition& d = definitions[std::clamp(item, 0, NbCadres - 1)];
  c.axeDeg = d.corps == 0 ? 0.0 : Deg(natal[d.corps]);
  if (item == CadreMeridien) {
    c.cuspides = MaisonsMeridiennes(tempsSideralDeg, obliquiteRad, c.axeDeg);
    c.origineDeg = c.cuspides[1];
    c.centre = Utf8VersCp1252("Mér");
    return c;
  }
  c.origineDeg = Normaliser360(c.axeDeg + d.origine);
  for (int k = 1; k <= 12; ++k) c.cuspides[static_cast<std::size_t>(k)] = Normaliser360(c.origineDeg + 30.0 * (k - 1));
  c.centre = std::string(1, d.glyphe);
  return c;
}

std::string TexteOrbe(int item) {
  const int minutes = (item + 1) * 5;
  if (minutes % 60 == 0) return std::to_string(minutes / 60) + "\xB0";
  return std::to_string(minutes / 60) + "\xB0" + Remplir(minutes % 60, 2) + "'";
}

std::vector<std::pair<int, int>> CalculerConnexions(double axeDeg, const LongitudesNatales& natal,
                                                    const std::bitset<256>& jeu, double orbeDeg) {
  std::vector<std::pair<int, int>> paires;
  std::vector<int> membres;
  for (int b = 1; b <= 20; ++b)
    if (jeu.test(static_cast<std::size_t>(b))) membres.push_back(b);
  for (std::size_t u = 0; u < membres.size(); ++u)
    for (std::size_t v = u + 1; v < membres.size(); ++v) {
      const int i = membres[u], j = membres[v];
      const double m = Deg(MiPoint(natal[j], natal[i]));
      for (int q = 0; q < 4; ++q) {
        // 1e-9: an orb of n twelfths of a degree is not always exact in binary.
        if (Ecart180(axeDeg + 90.0 * q, m) <= orbeDeg + 1e-9) {
          paires.emplace_back(i, j);
          break;
        }
      }
    }
  return paires;
}

std::array<double, 25> EtalerLongitudes(const LongitudesNatales& natal, double ecart) {
  std::array<double, 25> places{};
  std::vector<int> ordre(24);
  std::iota(ordre.begin(), ordre.end(), 1);
  std::vector<double> x(25);
  for (int b = 1; b <= 24; ++b) x[static_cast<std::size_t>(b)] = Normaliser2Pi(natal[b]);
  std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) { return x[static_cast<std::size_t>(a)] < x[static_cast<std::size_t>(b)]; });
  // Start the run after the widest gap, so that the seam falls where nothing crowds.
  std::size_t debut = 0;
  double plusLarge = -1;
  for (std::size_t i = 0; i < ordre.size(); ++i) {
    const double a = x[static_cast<std::size_t>(ordre[i])];
    const double b = x[static_cast<std::size_t>(ordre[(i + 1) % ordre.size()])];
    const double g = Normaliser2Pi(b - a);
    if (g > plusLarge) {
      plusLarge = g;
      debut = (i + 1) % ordre.size();
    }
  }
  std::rotate(ordre.begin(), ordre.begin() + static_cast<std::ptrdiff_t>(debut), ordre.end());
  const double base = x[static_cast<std::size_t>(ordre[0])];
  std::vector<double> p(ordre.size());
  for (std::size_t i = 0; i < ordre.size(); ++i) p[i] = Normaliser2Pi(x[static_cast<std::size_t>(ordre[i])] - base);
  const std::vector<double> voulu = p;
  // Clusters move as a block around their mean until no two neighbours are too close.
  for (int passe = 0; passe < 500; ++passe) {
    bool change = false;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
      if (p[i + 1] - p[i] >= ecart - 1e-12) continue;
      std::size_t a = i, b = i + 1;
      while (a > 0 && p[a] - p[a - 1] < ecart + 1e-12) --a;
      while (b + 1 < p.size() && p[b + 1] - p[b] < ecart + 1e-12) ++b;
      double moyenne = 0;
      for (std::size_t k = a; k <= b; ++k) moyenne += voulu[k];
      moyenne /= static_cast<double>(b - a + 1);
      const double premier = moyenne - ecart * static_cast<double>(b - a) / 2.0;
      for (std::size_t k = a; k <= b; ++k) p[k] = premier + ecart * static_cast<double>(k - a);
      change = true;
    }
    if (!change) break;
  }
  for (std::size_t i = 0; i < ordre.size(); ++i) places[static_cast<std::size_t>(ordre[i])] = Normaliser2Pi(p[i] + base);
  return places;
}

std::vector<LigneCadre> LignesCadres(const LongitudesNatales& natal, double tempsSideralDeg, double obliquiteRad) {
  std::vector<LigneCadre> lignes;
  for (int item = 0; item < NbCadres; ++item) {
    const Cadre c = CalculerCadre(item, natal, tempsSideralDeg, obliquiteRad);
    for (int m = 1; m <= 12; ++m) {
      LigneCadre l{item, m, c.cuspides[static_cast<std::size_t>(m)], {}};
      const double debut = c.cuspides[static_cast<std::size_t>(m)];
      const double fin = c.cuspides[static_cast<std::size_t>(m % 12 + 1)];
      const double largeur = Normaliser360(fin - debut);
      for (int b = 1; b <= 23; ++b)
        if (Normaliser360(Deg(natal[b]) - debut) < largeur) l.corps.push_back(b);
      lignes.push_back(l);
    }
  }
  return lignes;
}

}  // namespace selvane
