#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Recherches.h"

using namespace selvane;

namespace {

class RechercheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReinitialiserEtat();
    OuvrirEphemerides();
  }
  // Longitude of a body at a Universal Time instant, degrees.
  static double Longitude(int corps, double jourTU) {
    Etat().ColonneCalcul = 1;
    CalculerCorps(corps, jourTU);
    return Etat().Positions[corps][1] * RadEnDeg;
  }
  static double Elongation(double jourTT) {
    Etat().ColonneCalcul = 1;
    CalculerSoleil(jourTT);
    CalculerLune(jourTT);
    return Normaliser360((Etat().Positions[2][1] - Etat().Positions[1][1]) * RadEnDeg);
  }
};

double EcartDeg(double a, double b) {
  const double d = std::fabs(Normaliser360(a) - Normaliser360(b));
  return d > 180 ? 360 - d : d;
}

}  // namespace

TEST(ZeroCinqEchantillons, PolynomesConnus) {
  // A straight line through zero at 0.3 steps, and a cubic with a root at -0.7.
  double droite[5];
  double cubique[5];
  for (int i = 0; i < 5; ++i) {
    const double n = i - 2;
    droite[i] = 2.0 * (n - 0.3);
    cubique[i] = (n + 0.7) * (1 + 0.05 * n * n);
  }
  double n = 0;
  ASSERT_TRUE(ZeroCinqEchantillons(droite, n));
  EXPECT_NEAR(n, 0.3, 1e-12);
  ASSERT_TRUE(ZeroCinqEchantillons(cubique, n));
  EXPECT_NEAR(n, -0.7, 1e-4);
  const double plat[5] = {1, 1, 1, 1, 1};
  EXPECT_FALSE(ZeroCinqEchantillons(plat, n));
}

TEST(NouvelleLuneMoyenne, ValeursDeReference) {
  EXPECT_NEAR(NouvelleLuneMoyenne(0), 2415021.0767, 5e-5);
  EXPECT_NEAR(NouvelleLuneMoyenne(1236), 2451520.4396, 5e-5);
}

TEST(VitesseLune, ProcheDeLaVitesseDeLEphemeride) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  for (double jd = 2433282.5; jd < 2469807.5; jd += 1234.567) {
    Etat().ColonneCalcul = 1;
    CalculerLune(jd);
    const double T = (jd - 2415020.0) / 36525.0;
    EXPECT_NEAR(VitesseLune(T) * RadEnDeg, Etat().Positions[2][3] * RadEnDeg, 0.02) << jd;
  }
}

TEST_F(RechercheTest, PhasesExactesALaSecondeDArcPres) {
  for (double k = 1530; k < 1560; k += 0.5) {
    const bool pleine = k != std::floor(k);
    const double estimation = NouvelleLuneMoyenne(k);
    const double correction = ChercherPhase(pleine ? 8 : 0, estimation);
    EXPECT_LT(std::fabs(correction), 1.0) << k;  // the estimate is within a day
    EXPECT_EQ(Etat().ColonneCalcul, 4);
    const double e = Elongation(estimation + correction);
    EXPECT_LT(EcartDeg(e, pleine ? 180 : 0) * 3600, 3.0) << k;
  }
}

TEST_F(RechercheTest, QuartiersDesDeuxCotes) {
  // The quarter index finds 90° on the waxing side from an estimate near it.
  const double nl = NouvelleLuneMoyenne(1534);
  const double estimation = nl + 7.4;
  const double t = estimation + ChercherPhase(4, estimation);
  EXPECT_LT(EcartDeg(Elongation(t), 90) * 3600, 5.0);
}

TEST_F(RechercheTest, RetourDuSoleilEtDeLaLune) {
  const double j0 = JourJulien(7, 3, 1952, 0.5);
  const double soleil = Longitude(1, j0);
  EXPECT_NEAR(ChercherRetour(1, soleil * DegEnRad, j0), 0, 1e-6);
  EXPECT_EQ(Etat().ColonneCalcul, 4);

  // Solar return a year later, from an estimate a day off.
  const double estimation = j0 + 365.2422 + 1.0;
  const double t = estimation + ChercherRetour(1, soleil * DegEnRad, estimation);
  EXPECT_LT(EcartDeg(Longitude(1, t), soleil) * 3600, 1.0);

  // Lunar return from an estimate half a day off.
  const double lune = Longitude(2, j0);
  const double estimationL = j0 + 27.32 + 0.4;
  double tl = estimationL + ChercherRetour(2, lune * DegEnRad, estimationL);
  tl += ChercherRetour(2, lune * DegEnRad, tl);
  EXPECT_LT(EcartDeg(Longitude(2, tl), lune) * 3600, 2.0);
}

TEST_F(RechercheTest, IngresDuSoleil) {
  struct Cas {
    int signe;  // the sign whose end is reached
    int jour, mois, annee;
    double heureTU;  // published instant of the ingress
  } cas[] = {
      {12, 20, 3, 2024, 3 + 6 / 60.0},     // March equinox: 360° read as 0°
      {3, 20, 6, 2024, 20 + 51 / 60.0},
      {6, 22, 9, 2024, 12 + 44 / 60.0},
      {9, 21, 12, 2024, 9 + 21 / 60.0},
  };
  for (const auto& c : cas) {
    const double q = JourJulien(c.jour, c.mois, c.annee, 0);
    const double p = q + ChercherIngres(1, c.signe, q);
    EXPECT_EQ(Etat().ColonneCalcul, 5);
    EXPECT_NEAR(p, q + c.heureTU / 24, 1.0 / 1440) << c.signe;  // within a minute
    EXPECT_LT(EcartDeg(Longitude(1, p), c.signe * 30.0) * 3600, 1.0) << c.signe;
  }
}

TEST_F(RechercheTest, RecherchesPuresSansEffetSurLEtat) {
  // The searches proper read the ephemeris only; the chart-state forms give the
  // same corrections and leave their last sample in the work column.
  const double j0 = JourJulien(7, 3, 1952, 0.5);
  EtatTheme& e = Etat();
  e.ColonneCalcul = 1;
  for (int c = 1; c <= NbColonnes; ++c) e.Positions[Soleil][c] = e.Positions[Lune][c] = 0.5;
  const EtatTheme avant = e;
  const double phase = CorrectionPhase(8, NouvelleLuneMoyenne(1550.5));
  const double retour = CorrectionRetour(Lune, 1.0, j0);
  const double ingres = CorrectionIngres(Soleil, 12, JourJulien(20, 3, 2024, 0));
  EXPECT_EQ(std::memcmp(avant.Positions, e.Positions, sizeof e.Positions), 0);
  EXPECT_EQ(e.ColonneCalcul, 1);
  EXPECT_EQ(e.ObliquiteDeg, avant.ObliquiteDeg);

  EXPECT_EQ(ChercherPhase(8, NouvelleLuneMoyenne(1550.5)), phase);
  EXPECT_EQ(e.Positions[Lune][4], PositionCorps(Lune, NouvelleLuneMoyenne(1550.5) + 2 / 24.0).Longitude());
  EXPECT_EQ(ChercherRetour(Lune, 1.0, j0), retour);
  EXPECT_EQ(e.Positions[Lune][4], PositionCorpsTU(Lune, j0 + 2).Longitude());
  EXPECT_EQ(e.ColonneCalcul, 4);
  EXPECT_EQ(ChercherIngres(Soleil, 12, JourJulien(20, 3, 2024, 0)), ingres);
  EXPECT_EQ(e.Positions[Soleil][5], PositionCorpsTU(Soleil, JourJulien(20, 3, 2024, 0) + 0.5).Longitude());
  EXPECT_EQ(e.ColonneCalcul, 5);
}
