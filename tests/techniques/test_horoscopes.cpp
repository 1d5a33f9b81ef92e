#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "techniques/HoroscopesUraniens.h"

using namespace selvane;

namespace {

LongitudesNatales Natal() {
  LongitudesNatales l{};
  for (int b = 1; b <= 24; ++b) l[b] = Normaliser2Pi((17.3 * b * b + 3.1 * b) * DegEnRad);
  l[PointBelier] = 0;
  return l;
}

constexpr double kEpsilon = 23.44 * DegEnRad;

}  // namespace

TEST(Horoscopes, OriginesDesSixCadres) {
  const LongitudesNatales n = Natal();
  auto deg = [&](int b) { return Normaliser360(n[b] * RadEnDeg); };
  const Cadre belier = CalculerCadre(CadreBelier, n, 100, kEpsilon);
  EXPECT_DOUBLE_EQ(belier.cuspides[1], 180.0);
  EXPECT_DOUBLE_EQ(belier.cuspides[7], 0.0);  // Aries in the seventh house
  EXPECT_EQ(belier.centre, "\\");
  EXPECT_NEAR(CalculerCadre(CadreAscendant, n, 100, kEpsilon).cuspides[1], deg(Ascendant), 1e-9);
  EXPECT_NEAR(CalculerCadre(CadreMC, n, 100, kEpsilon).cuspides[10], deg(MilieuDuCiel), 1e-9);
  EXPECT_NEAR(CalculerCadre(CadreSoleil, n, 100, kEpsilon).cuspides[1], Normaliser360(deg(Soleil) + 270), 1e-9);
  EXPECT_NEAR(CalculerCadre(CadreLune, n, 100, kEpsilon).cuspides[1], Normaliser360(deg(Lune) + 90), 1e-9);
  EXPECT_NEAR(CalculerCadre(CadreNoeud, n, 100, kEpsilon).cuspides[1], deg(NoeudLunaire), 1e-9);
}

TEST(Horoscopes, MaisonsMeridiennes) {
  // θ + 30k° on the quarter turns gives the quarter turns exactly.
  EXPECT_DOUBLE_EQ(MaisonsMeridiennes(240, kEpsilon, 10)[5], 90.0);   // 240 + 210 = 450
  EXPECT_DOUBLE_EQ(MaisonsMeridiennes(60, kEpsilon, 10)[5], 270.0);   // 60 + 210 = 270
  const auto c = MaisonsMeridiennes(123.4, kEpsilon, 125.0);
  EXPECT_DOUBLE_EQ(c[10], 125.0);
  EXPECT_DOUBLE_EQ(c[4], 305.0);
  for (int k = 1; k <= 3; ++k) EXPECT_NEAR(c[static_cast<std::size_t>(k)], Normaliser360(c[static_cast<std::size_t>(k + 6)] + 180), 1e-9);
  EXPECT_NEAR(c[11], Normaliser360(c[5] + 180), 1e-9);
  // Cusp 5 from its own formula: the right ascension θ + 210° taken to the ecliptic.
  const double a = Normaliser360(123.4 + 210) * DegEnRad;
  double attendu = std::atan(std::tan(a) / std::cos(kEpsilon)) * RadEnDeg;
  if (std::cos(a) < 0) attendu += 180;
  EXPECT_NEAR(c[5], Normaliser360(attendu), 1e-9);
}

TEST(Horoscopes, ConnexionsALaLimiteDeLOrbeEtSurLeCarre) {
  LongitudesNatales n{};
  for (int b = 1; b <= 24; ++b) n[b] = (200 + 7.3 * b) * DegEnRad;  // nothing near 0/90/180/270
  std::bitset<256> jeu;
  for (int b = 1; b <= 4; ++b) jeu.set(static_cast<std::size_t>(b));
  // Sun/Moon 6' past the Aries point, Mercury/Venus on its square.
  n[Soleil] = (10 + 0.2) * DegEnRad;
  n[Lune] = 350 * DegEnRad;
  n[Mercure] = 80 * DegEnRad;
  n[Venus] = 100 * DegEnRad;
  struct Cas {
    int orbe;
    std::vector<std::pair<int, int>> attendu;
  };
  for (const Cas& c : {Cas{0, {{3, 4}}}, Cas{23, {{1, 2}, {3, 4}}}}) {
    EXPECT_EQ(CalculerConnexions(0.0, n, jeu, OrbeConnexionDeg(c.orbe)), c.attendu) << TexteOrbe(c.orbe);
  }
  // Outside the planet set: no pair.
  jeu.reset(Lune);
  EXPECT_EQ(CalculerConnexions(0.0, n, jeu, 2.0), (std::vector<std::pair<int, int>>{{3, 4}}));
  EXPECT_EQ(TexteOrbe(0), "0\xB0" "05'");
  EXPECT_EQ(TexteOrbe(11), "1\xB0");
  EXPECT_EQ(TexteOrbe(23), "2\xB0");
}

// The glyphs of a crowded frame stand about the spread apart, as on the dial's rings.
TEST(Horoscopes, EtalementGardeLOrdreEtLEcart) {
  LongitudesNatales n{};
  for (int b = 1; b <= 24; ++b) n[b] = (b <= 6 ? 358.0 + 0.5 * b : 60.0 + 14 * (b - 6)) * DegEnRad;
  const double ecart = 5 * DegEnRad;
  const auto p = EtalerLongitudes(n, ecart);
  std::vector<double> places(p.begin() + 1, p.end());
  std::sort(places.begin(), places.end());
  for (std::size_t i = 0; i < places.size(); ++i) {
    const double suivant = i + 1 < places.size() ? places[i + 1] : places[0] + DeuxPi;
    EXPECT_GE(suivant - places[i], 0.9 * ecart) << i;
  }
  // An isolated body stays on its longitude (single precision, as the rings are kept).
  EXPECT_NEAR(p[24], n[24], 1e-6);
}
