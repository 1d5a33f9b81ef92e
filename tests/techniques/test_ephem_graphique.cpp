#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "birthdata/records/Cp1252.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "techniques/EphemGraphique.h"

using namespace selvane;

namespace {

class EphemGraphiqueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReinitialiserEtat();
    OuvrirEphemerides();
  }
};

std::bitset<256> JeuComplet() {
  std::bitset<256> j;
  for (int b = 1; b <= NbCorps; ++b) j.set(b);
  return j;
}

// Points spread round the circle, none within a degree of another modulo 22°30', the Aries
// point at 0°; the Sun of 1 January (about 280°) kept clear of every line.
NatalGraphe Natal() {
  NatalGraphe n;
  for (int b = 1; b <= NbCorps; ++b) n.longitudes[b] = Normaliser360(3.1 + 47.3 * b) * DegEnRad;
  n.longitudes[PointBelier] = 0;
  n.jourJulienNaissance = JourJulien(7, 3, 1952, 13.0 / 24);
  return n;
}

// The distance (degrees) of a separation from the nearest multiple of m.
double EcartAuModule(double separation, double m) {
  const double x = std::fmod(std::fmod(separation, m) + m, m);
  return std::min(x, m - x);
}

double Replier(double x) {
  x = std::fmod(x, 360.0);
  if (x > 180) x -= 360;
  if (x <= -180) x += 360;
  return x;
}

// The minute of an instant, as the list shows it.
double Minute(double jour) { return std::nearbyint(jour * 1440.0) / 1440.0; }

}  // namespace

TEST(EphemGraphique, AspectsRepliesDe0A180) {
  const struct {
    double separation, aspect;
  } cas[] = {{0, 0}, {45, 45}, {90, 90}, {180, 180}, {202.5, 157.5}, {270, 90}, {315, 45},
             {360, 0}, {-90, 90}, {-45, 45}, {720 + 135, 135}, {22.5, 22.5}};
  for (const auto& c : cas) EXPECT_DOUBLE_EQ(AspectReplie(c.separation), c.aspect) << c.separation;
}

TEST(EphemGraphique, CiblesSelonLeJeuDePlanetes) {
  const NatalGraphe n = Natal();
  std::bitset<256> jeu;
  for (int b = 1; b <= 10; ++b) jeu.set(b);
  // Points: 1..10 and the points 21..24 that always take part; pairs among 1..10 and 21..23.
  const struct {
    CiblesGraphe choix;
    std::size_t nombre;
  } cas[] = {{CiblesGraphe::Points, 14}, {CiblesGraphe::MiPoints, 78}, {CiblesGraphe::Tous, 92},
             // Minus the pairs of Mercury .. Pluto and the Aries point among themselves.
             {CiblesGraphe::Personnels, 78 - 36}};
  for (const auto& c : cas) EXPECT_EQ(CiblesDuGraphe(n.longitudes, jeu, c.choix, 45).size(), c.nombre);
  EXPECT_EQ(CiblesDuGraphe(n.longitudes, JeuComplet(), CiblesGraphe::MiPoints, 45).size(), 253u);

  for (const CibleGraphe& c : CiblesDuGraphe(n.longitudes, jeu, CiblesGraphe::Tous, 22.5)) {
    EXPECT_GE(c.positionDeg, 0);
    EXPECT_LT(c.positionDeg, 22.5);
    EXPECT_NEAR(EcartAuModule(c.longitudeDeg - c.positionDeg, 22.5), 0, 1e-9);
    if (c.b != 0) {
      // The nearer midpoint of the two.
      const double a = n.longitudes[c.a] * RadEnDeg, b = n.longitudes[c.b] * RadEnDeg;
      EXPECT_NEAR(std::fabs(Replier(c.longitudeDeg - a)), std::fabs(Replier(b - a)) / 2, 1e-9);
    }
  }
}

TEST(EphemGraphique, MoisEnFrancais) {
  EXPECT_EQ(EtiquetteMoisGraphe(1, 2027), Utf8VersCp1252("janv. 2027"));
  EXPECT_EQ(EtiquetteMoisGraphe(2, 2028), Utf8VersCp1252("févr. 2028"));
  EXPECT_EQ(EtiquetteMoisGraphe(8, 2027), Utf8VersCp1252("août 2027"));
  EXPECT_EQ(EtiquetteMoisGraphe(12, 2027), Utf8VersCp1252("déc. 2027"));
}

// Each crossing listed is real: at its minute, an ephemeris request of its own puts the body on
// the target plus a multiple of the modulus within 1', with the aspect listed; and none is
// missing against a day-by-day scan.
TEST_F(EphemGraphiqueTest, CroisementsReelsEtComplets) {
  const NatalGraphe n = Natal();
  DemandeGraphe d;
  d.jour = 1, d.mois = 1, d.annee = 2027, d.nbMois = 12;
  d.moduleDeg = 45;
  d.corps = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
  d.cibles = CiblesGraphe::Tous;
  const EphemGraphique g = CalculerEphemGraphique(n, JeuComplet(), d);
  EXPECT_DOUBLE_EQ(g.debutTU, JourJulien(1, 1, 2027, 0));
  EXPECT_DOUBLE_EQ(g.finTU, JourJulien(1, 1, 2028, 0));
  ASSERT_GT(g.croisements.size(), 1000u);

  std::map<std::tuple<int, int, int, long>, int> parJour;  // body, a, b, day -> crossings
  for (std::size_t i = 0; i < g.croisements.size(); ++i) {
    const Croisement& x = g.croisements[i];
    if (i > 0) {
      EXPECT_LE(g.croisements[i - 1].jourTU, x.jourTU);
    }
    EXPECT_GE(x.jourTU, g.debutTU);
    EXPECT_LE(x.jourTU, g.finTU);
    const PositionEcliptique p = PositionCorpsTU(x.corps, Minute(x.jourTU));
    const double separation = p.longitudeDeg - x.cibleDeg;
    ASSERT_LT(EcartAuModule(separation, 45) * 60, 1.0) << x.corps << " " << x.a << "/" << x.b << " " << x.jourTU;
    EXPECT_NEAR(AspectReplie(separation), x.aspectDeg, 1.0 / 60);
    EXPECT_EQ(std::fmod(x.aspectDeg, 45), 0);
    EXPECT_EQ(x.retrograde, p.vitesseDeg < 0) << x.corps << " " << x.jourTU;
    ++parJour[{x.corps, x.a, x.b, static_cast<long>(std::floor(x.jourTU - g.debutTU))}];
  }

  // The scan: each day's motion on the short way, the lines it passes.
  long vus = 0;
  for (int c : d.corps) {
    std::vector<double> l;
    for (int j = 0; j <= 365; ++j) l.push_back(PositionCorpsTU(c, g.debutTU + j).longitudeDeg);
    for (const CibleGraphe& t : g.cibles)
      for (int j = 0; j < 365; ++j) {
        const double u0 = Replier(l[j] - t.longitudeDeg);
        const double u1 = u0 + Replier(l[j + 1] - l[j]);
        const long k = std::labs(static_cast<long>(std::floor(u1 / 45)) - static_cast<long>(std::floor(u0 / 45)));
        if (k == 0) continue;
        vus += k;
        const auto trouve = parJour.find({c, t.a, t.b, j});
        ASSERT_TRUE(trouve != parJour.end()) << "body " << c << " line " << t.a << "/" << t.b << " day " << j;
        // A station inside the day may add a back-and-forth pair the scan cannot see.
        EXPECT_GE(trouve->second, k);
        EXPECT_EQ((trouve->second - k) % 2, 0);
      }
  }
  EXPECT_LE(vus, static_cast<long>(g.croisements.size()));
  EXPECT_EQ((static_cast<long>(g.croisements.size()) - vus) % 2, 0);
}

// The Sun over a year meets each line once per aspect of the dial: once in the 360° dial, at
// 0°, 90°, 180° and 270° in the 90° one (the two squares folded to 90°).
TEST_F(EphemGraphiqueTest, SoleilSurUneAnnee) {
  const NatalGraphe n = Natal();
  DemandeGraphe d;
  d.jour = 1, d.mois = 1, d.annee = 2027, d.nbMois = 12;
  d.corps = {Soleil};
  d.cibles = CiblesGraphe::Points;
  for (double m : {360.0, 90.0}) {
    d.moduleDeg = m;
    const EphemGraphique g = CalculerEphemGraphique(n, JeuComplet(), d);
    ASSERT_EQ(g.cibles.size(), 24u);
    EXPECT_EQ(g.croisements.size(), 24u * static_cast<std::size_t>(360 / m)) << m;
    std::map<std::pair<int, double>, int> parAspect;
    for (const Croisement& x : g.croisements) ++parAspect[{x.a, x.aspectDeg}];
    for (const CibleGraphe& t : g.cibles) {
      EXPECT_EQ((parAspect[{t.a, 0.0}]), 1);
      if (m == 90) {
        EXPECT_EQ((parAspect[{t.a, 90.0}]), 2);
        EXPECT_EQ((parAspect[{t.a, 180.0}]), 1);
      }
    }
    // The Aries point, at 0°: the wrap of the dial is a line like another.
    int belier = 0;
    for (const Croisement& x : g.croisements) belier += x.a == PointBelier;
    EXPECT_EQ(belier, static_cast<int>(360 / m));
    // The curve stays inside the dial and wraps once per turn of the modulus.
    ASSERT_EQ(g.courbes.size(), 1u);
    int sauts = 0;
    const auto& pts = g.courbes[0].points;
    for (std::size_t i = 0; i < pts.size(); ++i) {
      EXPECT_GE(pts[i].positionDeg, 0);
      EXPECT_LT(pts[i].positionDeg, m);
      if (i > 0 && pts[i].positionDeg < pts[i - 1].positionDeg) ++sauts;
    }
    EXPECT_NEAR(sauts, 360 / m, 1);
  }
}

// A line inside Saturn's retrograde loop is crossed three times: direct, retrograde, direct.
TEST_F(EphemGraphiqueTest, BoucleRetrogradeTroisCroisements) {
  const double debut = JourJulien(1, 1, 2027, 0);
  double stationR = 0, stationD = 0;
  double v = PositionCorpsTU(Saturne, debut + 120).vitesseDeg;
  for (int j = 121; j < 600 && stationD == 0; ++j) {
    const double w = PositionCorpsTU(Saturne, debut + j).vitesseDeg;
    if (v > 0 && w < 0 && stationR == 0) stationR = debut + j;
    if (v < 0 && w > 0 && stationR != 0) stationD = debut + j;
    v = w;
  }
  ASSERT_NE(stationD, 0);
  ASSERT_LT(stationD, debut + 730 - 120);
  const double l1 = PositionCorpsTU(Saturne, stationR).longitudeDeg;
  const double l2 = PositionCorpsTU(Saturne, stationD).longitudeDeg;
  NatalGraphe n = Natal();
  n.longitudes[Mars] = Normaliser360(l2 + Replier(l1 - l2) / 2) * DegEnRad;
  std::bitset<256> jeu;
  jeu.set(Mars);
  DemandeGraphe d;
  d.jour = 1, d.mois = 1, d.annee = 2027, d.nbMois = 24;
  d.moduleDeg = 360;
  d.corps = {Saturne};
  d.cibles = CiblesGraphe::Points;
  const EphemGraphique g = CalculerEphemGraphique(n, jeu, d);
  std::vector<Croisement> surMars;
  for (const Croisement& x : g.croisements)
    if (x.a == Mars) surMars.push_back(x);
  ASSERT_EQ(surMars.size(), 3u);
  EXPECT_FALSE(surMars[0].retrograde);
  EXPECT_TRUE(surMars[1].retrograde);
  EXPECT_FALSE(surMars[2].retrograde);
  EXPECT_LT(surMars[0].jourTU, stationR);
  EXPECT_GT(surMars[1].jourTU, stationR);
  EXPECT_LT(surMars[1].jourTU, stationD);
  EXPECT_GT(surMars[2].jourTU, stationD);
  for (const Croisement& x : surMars) {
    EXPECT_EQ(x.aspectDeg, 0);
    EXPECT_LT(EcartAuModule(PositionCorpsTU(Saturne, Minute(x.jourTU)).longitudeDeg - x.cibleDeg, 360) * 60, 1.0);
  }
}

// A line grazed at the station: passed and passed back within hours, between two samples of the
// curve whose longitudes both stay short of it; both crossings are found, then the third.
TEST_F(EphemGraphiqueTest, LigneFroleeALaStation) {
  const double debut = JourJulien(1, 1, 2027, 0);
  double v = PositionCorpsTU(Saturne, debut + 120).vitesseDeg, station = 0;
  for (int j = 121; j < 600 && station == 0; ++j) {
    const double w = PositionCorpsTU(Saturne, debut + j).vitesseDeg;
    if (v > 0 && w < 0) station = debut + j;
    v = w;
  }
  ASSERT_NE(station, 0);
  double plusLoin = 0;
  for (double t = station - 2; t <= station + 1; t += 0.005)
    plusLoin = std::max(plusLoin, PositionCorpsTU(Saturne, t).longitudeDeg);
  NatalGraphe n = Natal();
  n.longitudes[Mars] = (plusLoin - 1e-5) * DegEnRad;
  std::bitset<256> jeu;
  jeu.set(Mars);
  DemandeGraphe d;
  d.jour = 1, d.mois = 1, d.annee = 2027, d.nbMois = 24;
  d.moduleDeg = 360;
  d.corps = {Saturne};
  d.cibles = CiblesGraphe::Points;
  const EphemGraphique g = CalculerEphemGraphique(n, jeu, d);
  std::vector<Croisement> surMars;
  for (const Croisement& x : g.croisements)
    if (x.a == Mars) surMars.push_back(x);
  ASSERT_EQ(surMars.size(), 3u);
  EXPECT_NEAR(surMars[0].jourTU, station - 0.5, 1.5);
  EXPECT_NEAR(surMars[1].jourTU, surMars[0].jourTU, 1.0);
  EXPECT_FALSE(surMars[0].retrograde);
  EXPECT_TRUE(surMars[1].retrograde);
  EXPECT_GT(surMars[2].jourTU, station + 100);
}

// The Moon, a step of its own: a month of it in the 22°30' dial, every crossing within 1'.
TEST_F(EphemGraphiqueTest, LuneAuQuartDeJour) {
  DemandeGraphe d;
  d.jour = 15, d.mois = 6, d.annee = 2027, d.nbMois = 1;
  d.moduleDeg = 22.5;
  d.corps = {Lune};
  d.cibles = CiblesGraphe::Points;
  const EphemGraphique g = CalculerEphemGraphique(Natal(), JeuComplet(), d);
  // About 13.2 turns of 22°30' a day for 30 days, for each of 24 lines.
  const double tours = 30 * 13.18 / 22.5 * 24;
  EXPECT_NEAR(static_cast<double>(g.croisements.size()), tours, 0.05 * tours);
  for (const Croisement& x : g.croisements)
    ASSERT_LT(EcartAuModule(PositionCorpsTU(Lune, Minute(x.jourTU)).longitudeDeg - x.cibleDeg, 22.5) * 60, 1.0);
}

// Directed natal points rise slowly; their crossings stand on the arc computed apart.
TEST_F(EphemGraphiqueTest, ArcSolaire) {
  const NatalGraphe n = Natal();
  DemandeGraphe d;
  d.jour = 1, d.mois = 1, d.annee = 2027, d.nbMois = 24;
  d.moduleDeg = 22.5;
  d.corps = {};
  d.cibles = CiblesGraphe::Tous;
  d.arcSolaire = true;
  const EphemGraphique g = CalculerEphemGraphique(n, JeuComplet(), d);
  ASSERT_EQ(g.courbes.size(), 24u);
  EXPECT_TRUE(g.courbes[0].dirige);
  ASSERT_FALSE(g.croisements.empty());
  for (const Croisement& x : g.croisements) {
    ASSERT_TRUE(x.dirige);
    const double tp = n.jourJulienNaissance + (x.jourTU - n.jourJulienNaissance) / 365.2421988;
    const double arc = PositionCorpsTU(Soleil, tp).longitudeDeg - n.longitudes[Soleil] * RadEnDeg;
    const double dirige = n.longitudes[x.corps] * RadEnDeg + arc;
    EXPECT_LT(EcartAuModule(dirige - x.cibleDeg, 22.5) * 60, 1.0 / 60);  // a minute of time is nothing here
    EXPECT_NEAR(LongitudeSource(n, x.corps, true, x.jourTU), Normaliser360(dirige), 1e-9);
  }
}
