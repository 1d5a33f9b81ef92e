#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "methode/ArcSolaire.h"
#include "methode/Maisons.h"
#include "methode/Moment.h"
#include "methode/Retours.h"

using namespace selvane;

namespace {

constexpr double SecondeArc = DegEnRad / 3600;

// Signed distance a - b on the circle, radians in -pi..pi.
double Ecart(double a, double b) { return std::remainder(a - b, DeuxPi); }

// The cusp of a meridian house from the right ascension of its circle, written apart from the
// code under test: the ecliptic point whose right ascension is `ra` (degrees).
double CuspideAttendue(double ra, double obliquite) {
  const double r = ra * DegEnRad;
  return Normaliser360(std::atan2(std::sin(r), std::cos(r) * std::cos(obliquite)) * RadEnDeg);
}

}  // namespace

// Every degree of sidereal time, the whole multiples of 30° among them: the cusps are those of
// the ecliptic points at right ascensions theta + 30k, lie in 0..360 (a quarter turn is exactly
// 90 or 270, no cusp reads 360 for 0), cusp 10 is the MC and each cusp faces its opposite house.
TEST(MaisonsMeridiennes, ToutLeTempsSideralDegreParDegre) {
  const double obliquite = 23.4392911 * DegEnRad;
  for (int theta = 0; theta <= 360; ++theta) {
    SCOPED_TRACE(theta);
    const double mc = CuspideAttendue(theta, obliquite);
    const std::array<double, 13> c = MaisonsMeridiennes(theta, obliquite, mc);
    for (int k = 7; k <= 11; ++k) {
      const double attendue = CuspideAttendue(theta + 30.0 * k, obliquite);
      EXPECT_NEAR(std::remainder(c[k - 2] - attendue, 360.0), 0, 1e-9) << "cusp " << k - 2;
      const int quart = (theta + 30 * k) % 360;
      if (quart == 90 || quart == 270) {
        EXPECT_EQ(c[k - 2], quart) << "cusp " << k - 2;
      }
    }
    for (int k = 1; k <= 12; ++k) {
      EXPECT_GE(c[k], 0.0) << "cusp " << k;
      EXPECT_LT(c[k], 360.0) << "cusp " << k;
    }
    EXPECT_NEAR(std::remainder(c[10] - mc, 360.0), 0, 1e-12);
    for (int k = 1; k <= 6; ++k)
      EXPECT_NEAR(std::fabs(std::remainder(c[k + 6] - c[k], 360.0)), 180, 1e-9) << "cusp " << k;
  }
}

class Methode : public ::testing::Test {
 protected:
  void SetUp() override {
    ReinitialiserEtat();
    OuvrirEphemerides();
    natal.jourJulienNaissance = JourJulien(7, 3, 1952, (14 + 5.5 / 60 - 1) / 24);
    natal.soleilNatal = PositionCorpsTU(Soleil, natal.jourJulienNaissance).Longitude();
    natal.luneNatale = PositionCorpsTU(Lune, natal.jourJulienNaissance).Longitude();
    natal.anneeNaissance = 1952;
  }
  NatalRetour natal;
};

// Both ways of bringing the Sun on its target land on it: the dial's search to the second of
// arc, the tables' single linear step within a few; with the precession the target moves by
// the correction, about half a degree at forty years.
TEST_F(Methode, RetoursSolairesSurLaCible) {
  struct Cas {
    RechercheSoleil recherche;
    int annee, quart;
    bool precession;
    double toleranceSecondes;
  };
  const Cas cas[] = {
      {RechercheSoleil::Convergee, 1992, 0, false, 1},  {RechercheSoleil::Convergee, 1992, 0, true, 1},
      {RechercheSoleil::Convergee, 2026, 2, false, 1},  {RechercheSoleil::Convergee, 2026, 3, true, 1},
      {RechercheSoleil::PasLineaire, 1992, 0, false, 5}, {RechercheSoleil::PasLineaire, 1992, 0, true, 5},
      {RechercheSoleil::PasLineaire, 1952, 0, false, 5},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.recherche) << " " << c.annee << " +" << c.quart << "/4 "
                                    << c.precession);
    const RetourSolaireTrouve r = RetourSolaire(natal, {c.annee, c.quart, c.precession, c.recherche});
    const double cible = natal.soleilNatal + c.quart * Pi / 2 + r.precession;
    EXPECT_LT(std::fabs(Ecart(PositionCorpsTU(Soleil, r.t).Longitude(), cible)), c.toleranceSecondes * SecondeArc);
    EXPECT_DOUBLE_EQ(r.age, c.annee - 1952 + 0.25 * c.quart);
    EXPECT_EQ(r.precession, c.precession ? CorrectionPrecession(r.t1, natal.jourJulienNaissance) : 0.0);
    if (!c.precession) {
      EXPECT_EQ(r.t, r.t1);
    }
    if (c.precession && c.annee == 1992) {
      EXPECT_NEAR(r.precession * RadEnDeg, 0.56, 0.03);
    }
    // Near the birthday plus the quarter: the Sun, slower in the northern summer, takes some
    // days more than a quarter of a year from March to the autumn.
    EXPECT_NEAR(r.t, natal.jourJulienNaissance + r.age * 365.25, 4.0);
  }
}

// The lunar returns after midnight of the asked date: the dial's on the natal Moon (or the Moon
// moved by the precession) at the return's TT instant; the tables' sidereal return, settled on
// days read as TT, has the corrected Moon at the TT instant of the moment it gives.
TEST_F(Methode, RetoursLunairesApresMinuit) {
  struct Cas {
    RechercheLune recherche;
    bool precession;
    double toleranceSecondes;
  };
  const Cas cas[] = {{RechercheLune::VitesseEphemeride, false, 1},
                     {RechercheLune::VitesseEphemeride, true, 3},
                     {RechercheLune::VitesseMoyenne, false, 25}};
  const double minuit = JourJulien(10, 12, 2026, 0);
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.recherche) << " " << c.precession);
    const RetourLunaireTrouve r = RetourLunaire(natal, {10, 12, 2026, c.precession, c.recherche});
    ASSERT_FALSE(r.abandonne);
    EXPECT_GT(r.t, minuit - 0.1);
    EXPECT_LT(r.t, minuit + 27.6);
    EXPECT_LT(std::fabs(Ecart(PositionCorpsTU(Lune, r.tropical).Longitude(), natal.luneNatale)), 25 * SecondeArc);
    EXPECT_LT(std::fabs(Ecart(PositionCorpsTU(Lune, r.t).Longitude(), natal.luneNatale + r.precession)),
              c.toleranceSecondes * SecondeArc);
    const bool sideral = c.precession || c.recherche == RechercheLune::VitesseMoyenne;
    EXPECT_EQ(r.precession != 0, sideral);
    if (!sideral) {
      EXPECT_EQ(r.t, r.tropical);
    }
  }
}

// The yearly arc grows about a degree a year and the given arc's moment is where it reaches the
// number asked; the true-Sun rule is the Sun's own distance k days after birth, 0 at birth.
TEST_F(Methode, ArcsSolaires) {
  EXPECT_NEAR(ArcSolaireSoleilVrai(natal.jourJulienNaissance, natal.soleilNatal, 0), 0, 1e-9);
  for (int degres : {1, 30, 77, 120}) {
    SCOPED_TRACE(degres);
    const double moment = MomentArcDonne(natal.jourJulienNaissance, natal.soleilNatal, degres);
    const double arc = ArcSolaireAnnuel(natal.jourJulienNaissance, natal.soleilNatal, moment);
    EXPECT_NEAR(std::remainder(arc * RadEnDeg - degres, 360.0), 0, 1.0 / 60);
    EXPECT_EQ(Etat().Positions[Soleil][1],
              PositionCorpsTU(Soleil, JourProgresse(natal.jourJulienNaissance, moment)).Longitude());
    const int jours = static_cast<int>(std::lround((moment - natal.jourJulienNaissance) / 365.2421988));
    EXPECT_NEAR(ArcSolaireSoleilVrai(natal.jourJulienNaissance, natal.soleilNatal, jours) * RadEnDeg, degres, 1.5);
  }
}

TEST(Moment, LuUneFoisDesChamps) {
  ChampsMoment c;
  c.date = "01.01.2000";
  c.heure = "00h30";
  c.secondes = "36";
  c.fuseau = "2";
  const Moment m = LireMoment(c);
  EXPECT_EQ(m.date.jour, 1);
  EXPECT_EQ(m.date.annee, 2000);
  EXPECT_DOUBLE_EQ(m.heures, 0.51);
  // Local 00:30:36 at UT+2: the previous UT day.
  EXPECT_DOUBLE_EQ(m.JourJulienTU(), JourJulien(1, 1, 2000, (0.51 - 2) / 24));
  c.date = "0a.01.2000";
  EXPECT_THROW(LireMoment(c), ErreurConversion);
}

// Each prompt and field reading: the value, or its message in its box.
TEST(Saisies, ValeurOuMessage) {
  struct Cas {
    const char* quoi;
    std::optional<Saisie<int>> (*lire)(std::string_view);
    const char* texte;
    int valeur;
    BoiteMessage boite;
    std::string message;
    bool vide;
  };
  auto annee = [](std::string_view t) { return std::optional<Saisie<int>>(LireAnneeTransits(t)); };
  auto arc = [](std::string_view t) { return std::optional<Saisie<int>>(LireArcDonne(t)); };
  auto cadran = [](std::string_view t) { return std::optional<Saisie<int>>(LireAnneeCadran(t)); };
  const std::string chiffres = "N'entrez que des chiffres !";
  const Cas cas[] = {
      {"année", annee, "", 0, BoiteMessage::Avertissement, "Le champ ne peut être vide !", true},
      {"année", annee, "abc", 0, BoiteMessage::Avertissement, chiffres, false},
      {"année", annee, "20a4", 0, BoiteMessage::Erreur, "'20a4' n'est pas une valeur entière correcte", false},
      {"année", annee, "-5", 0, BoiteMessage::Avertissement, "L'année doit être comprise entre 0 et 2100 !", false},
      {"année", annee, "2101", 0, BoiteMessage::Avertissement, "L'année doit être comprise entre 0 et 2100 !", false},
      {"année", annee, "0", 0, BoiteMessage::Aucune, "", false},
      {"année", annee, "2100", 2100, BoiteMessage::Aucune, "", false},
      {"arc", arc, "", 0, BoiteMessage::Avertissement, "Le champ ne peut être vide !", true},
      {"arc", arc, "12a", 0, BoiteMessage::Avertissement, chiffres, false},
      {"arc", arc, "-1", 0, BoiteMessage::Avertissement, "Entrez un nombre entier entre 0 et 120 : -1", false},
      {"arc", arc, "121", 0, BoiteMessage::Avertissement, "Entrez un nombre entier entre 0 et 120 : 121", false},
      {"arc", arc, "0", 0, BoiteMessage::Aucune, "", false},
      {"arc", arc, "120", 120, BoiteMessage::Aucune, "", false},
      {"année du cadran", cadran, "0", 0, BoiteMessage::Avertissement, "Année incorrecte : 0 (1 à 5399)", false},
      {"année du cadran", cadran, "5400", 0, BoiteMessage::Avertissement, "Année incorrecte : 5400 (1 à 5399)", false},
      {"année du cadran", cadran, "5399", 5399, BoiteMessage::Aucune, "", false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.quoi << " '" << c.texte << "'");
    const Saisie<int> s = *c.lire(c.texte);
    EXPECT_EQ(s.boite, c.boite);
    EXPECT_EQ(s.message, c.message);
    EXPECT_EQ(s.vide, c.vide);
    if (s.Ok()) {
      EXPECT_EQ(s.valeur, c.valeur);
    }
  }
}

TEST(Saisies, DatesDuCadran) {
  const Saisie<DateDuChamp> date = LireDateCadran("29/02/2024");
  ASSERT_TRUE(date.Ok());
  EXPECT_EQ(date.valeur.jour, 29);
  EXPECT_EQ(LireDateCadran("29.02.2023").message, "29.02.2023 : date incorrecte");
  EXPECT_EQ(LireDateCadran("01.01.-044").message, "Année incorrecte : -044 (1 à 5399)");
  EXPECT_EQ(LireDateCadran(" 1.01.2024").boite, BoiteMessage::Avertissement);
}

TEST(Saisies, ChampsDesFenetresDePrevision) {
  const Saisie<DateDuChamp> date = LireDatePrevision("07.03.1952");
  ASSERT_TRUE(date.Ok());
  EXPECT_EQ(date.valeur.mois, 3);
  struct Cas {
    const char* texte;
    BoiteMessage boite;
    std::string message;
  };
  const Cas dates[] = {{"31.02.2026", BoiteMessage::Information, "31.02.2026 : date incorrecte"},
                       {"07.03.0000", BoiteMessage::Information, "07.03.0000 : date incorrecte"},
                       {"  .03.2026", BoiteMessage::Erreur, "'  ' n'est pas une valeur entière correcte"}};
  for (const Cas& c : dates) {
    const Saisie<DateDuChamp> s = LireDatePrevision(c.texte);
    EXPECT_EQ(s.boite, c.boite) << c.texte;
    EXPECT_EQ(s.message, c.message) << c.texte;
  }
  EXPECT_DOUBLE_EQ(LireHeurePrevision("12h30").valeur, 12.5);
  EXPECT_EQ(LireHeurePrevision("25h00").message, "25h00 : heure incorrecte");
  EXPECT_EQ(LireHeurePrevision("1 h00").boite, BoiteMessage::Erreur);
}
