#include "techniques/HoroscopesUraniens.h"

#include <algorithm>
#include <cmath>

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
  // The ring spread the wheel and the dial share.
  float P[NbCorps + 1] = {};
  int O[NbCorps + 1] = {};
  for (int b = 1; b <= NbCorps; ++b) {
    P[b] = static_cast<float>(natal[static_cast<std::size_t>(b)]);
    O[b] = b;
  }
  EtalerSurLeCercle(P, O, NbCorps, static_cast<float>(ecart));
  std::array<double, 25> places{};
  for (int i = 1; i <= NbCorps; ++i) places[static_cast<std::size_t>(O[i])] = static_cast<double>(P[i]);
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
