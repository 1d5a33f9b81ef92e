#include <gtest/gtest.h>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "tests/support/TemoinAvertissements.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;

namespace {

class EtatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PreparerEtatDeTest();
    Etat().FicheEnCours = FicheDeTest();
    Etat().NomFichierNaissance = "Natal";
  }
};

}  // namespace

TEST(Catalogue, SignesEtLettres) {
  EXPECT_EQ(SigneDeLongitude(0), 1);
  EXPECT_EQ(SigneDeLongitude(29.9999), 1);
  EXPECT_EQ(SigneDeLongitude(30), 2);
  EXPECT_STREQ(AbrevSignes[SigneDeLongitude(30)], "Tau");
  EXPECT_EQ(SigneDeLongitude(359.9999), 12);
  EXPECT_EQ(LettreSigne(1), 'a');
  EXPECT_EQ(LettreSigne(12), 'l');
  EXPECT_EQ(LettresCorps[1], 'A');
  EXPECT_EQ(LettresCorps[11], '\xF4');
  EXPECT_EQ(LettresCorps[18], '\xFB');
  EXPECT_EQ(LettresCorps[19], 'M');
  EXPECT_EQ(LettresCorps[23], '\\');
  EXPECT_EQ(LettresCorps[24], ':');
  EXPECT_NEAR(AnglesAspects[10] * RadEnDeg, 51.4286, 1e-4);
  EXPECT_NEAR(AnglesAspects[26] * RadEnDeg, 140.0, 1e-12);
}

TEST(Catalogue, ReductionDesAngles) {
  EXPECT_DOUBLE_EQ(Normaliser2Pi(-0.5), DeuxPi - 0.5);
  EXPECT_DOUBLE_EQ(Normaliser2Pi(DeuxPi + 1), 1);
  EXPECT_EQ(Normaliser2Pi(DeuxPi), 0);
  EXPECT_DOUBLE_EQ(Normaliser360(-30), 330);
  EXPECT_DOUBLE_EQ(Normaliser360(725), 5);
}

TEST(Catalogue, JourDeLaSemaine) {
  EXPECT_EQ(JourSemaine(2451545.0, 0), 6);
  EXPECT_STREQ(NomsJours[JourSemaine(2451545.0, 0)], "Samedi");
  // 1 January 2000, 23:30 in zone +1 is still Saturday locally at 22:30 UT.
  EXPECT_EQ(JourSemaine(2451545.0 + 10.5 / 24, 1), 6);
  EXPECT_EQ(JourSemaine(2451545.0 + 11.5 / 24, 1), 0);
}

TEST_F(EtatTest, ColonnesNonTouchees) {
  CalculerTheme(EcartGlyphes8);
  for (int n = 1; n <= NbCorps; ++n) {
    EXPECT_EQ(Etat().Positions[n][4], 0) << n;
    EXPECT_EQ(Etat().Positions[n][2], 0) << n;
  }
}

TEST_F(EtatTest, FigerNatalProtegeLeNatal) {
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
  const EtatTheme avant = Etat();
  Etat().FicheEnCours.Date = "01/01/2000";
  CalculerTheme(EcartGlyphes8);
  ASSERT_NE(Etat().Positions[1][1], avant.Positions[1][1]);
  for (int n = 1; n <= NbCorps; ++n) {
    EXPECT_EQ(Etat().Positions[n][6], avant.Positions[n][1]) << n;
    EXPECT_EQ(Etat().Positions[n][5], avant.Positions[n][3]) << n;
  }
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(Etat().MaisonsNatales[i], avant.Maisons[i]) << i;
}

TEST_F(EtatTest, RadixAllerRetour) {
  CalculerTheme(EcartGlyphes8);
  const EtatTheme avant = Etat();
  const LignesRadix lignes = EcrireRadix();
  EXPECT_EQ(lignes[0], "Natal");
  EXPECT_EQ(lignes[1], FormatDMS(avant.Positions[1][1]));
  EXPECT_EQ(lignes[2], "DUPONT,Jean");
  EXPECT_EQ(lignes[8], "01.00.00");
  EXPECT_EQ(lignes[9], "essai");

  ReinitialiserEtat();
  Etat().Positions[23][1] = 1.0;
  RestaurerRadix(lignes);
  const EtatTheme& e = Etat();
  EXPECT_EQ(e.FicheEnCours, avant.FicheEnCours);
  EXPECT_EQ(e.NomFichierNaissance, avant.NomFichierNaissance);
  EXPECT_EQ(e.JourJulienTU, avant.JourJulienTU);
  EXPECT_EQ(e.EquationDuTemps, avant.EquationDuTemps);
  EXPECT_EQ(e.Positions[1][1], avant.Positions[1][1]);
  EXPECT_EQ(e.Positions[23][1], 0);
  EXPECT_EQ(e.NomAffiche.Chaine(), "Jean DUPONT");
}

TEST_F(EtatTest, RadixCoupeLesChampsTropLongs) {
  LignesRadix lignes = EcrireRadix();
  lignes[3] = "07/03/1952 et plus";
  lignes[2] = std::string(50, 'X');
  RestaurerRadix(lignes);
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "07/03/1952");
  EXPECT_EQ(Etat().FicheEnCours.Nom.Longueur(), 36u);
}
