#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <tuple>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "dial/ModeleCadran.h"
#include "methode/Maisons.h"
#include "tests/support/CadranDeTest.h"

// The dial model on the Paris record of 1952: rings, spreads, moments, comparison charts,
// checked against the ephemeris library called directly.
using namespace selvane;

namespace {

constexpr double Deg = DegEnRad;

// Longitude (degrees) and speed of a body straight from the library at a TT instant.
double LongitudeLibrairie(int corpsSwe, double jourTT) {
  double x[6];
  char erreur[256];
  swe_calc(jourTT, corpsSwe, SEFLG_SPEED, x, erreur);
  return x[0];
}

// Distance of two angles in arc seconds.
double SecondesDArc(double aDeg, double bDeg) { return std::fabs(std::remainder(aDeg - bDeg, 360.0)) * 3600.0; }

class Cadran : public ::testing::Test {
 protected:
  void SetUp() override {
    m = OuvrirCadranDeTest();
    champs.ville = "Paris";
    champs.lat = "48.52";
    champs.lon = "2.20";
  }
  ModeleCadran m;
  ChampsMoment champs;
};

}  // namespace

TEST(AnglesDuCadran, ParHarmonique) {
  struct Cas { double longitude; int H; double angle; double position; };
  const Cas cas[] = {{10, 4, 40, 10},   {100, 4, 40, 10}, {250.5, 1, 250.5, 250.5}, {359.9, 4, 359.6, 89.9},
                     {95, 8, 40, 5},    {200, 12, 240, 20}, {23, 16, 8, 0.5},       {12, 32, 24, 0.75}};
  for (const Cas& c : cas) {
    EXPECT_NEAR(AngleCadran(c.longitude * Deg, c.H) / Deg, c.angle, 1e-9) << c.longitude << " H" << c.H;
    EXPECT_NEAR(PositionDansCadran(c.longitude * Deg, c.H) / Deg, c.position, 1e-9) << c.longitude << " H" << c.H;
  }
}

TEST(MomentDuCadran, FractionsDuJourTUHorsDeZeroUn) {
  // 00:30 at +2 is 22:30 UT the day before; 21:00 at -5 is 02:00 UT the day after.
  struct Cas { const char* date; const char* heure; const char* zone; double attendu; };
  const Cas cas[] = {{"15.06.2020", "00h30", "2", JourJulien(14, 6, 2020, 22.5 / 24)},
                     {"15.06.2020", "21h00", "-5", JourJulien(16, 6, 2020, 2.0 / 24)},
                     {"15.06.2020", "12h00", "0", JourJulien(15, 6, 2020, 0.5)}};
  for (const Cas& c : cas) {
    ChampsMoment ch;
    ch.date = c.date;
    ch.heure = c.heure;
    ch.secondes = "00";
    ch.fuseau = c.zone;
    EXPECT_NEAR(JourJulienDesChamps(ch), c.attendu, 1e-9) << c.heure << " " << c.zone;
  }
}

TEST_F(Cadran, TroisAnneauxEtFicheDuMomentLocal) {
  champs.date = "10.12.2026";
  champs.heure = "00h30";
  champs.secondes = "15";
  champs.fuseau = "2";
  m.Harmonique = 4;
  CalculerPositions(m, champs);
  // The transit chart is the local moment of the fields, in the record's forms.
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "10/12/2026");
  EXPECT_EQ(Etat().FicheEnCours.Heure.Chaine(), "00h30m15");
  EXPECT_NEAR(Etat().JourJulienTU, m.JourJulienTransit, 1e-9);
  EXPECT_LT(m.JourJulienTransit, JourJulien(10, 12, 2026, 0));  // the UT day before
  for (int b = 1; b <= NbCorps; ++b) {
    SCOPED_TRACE(b);
    EXPECT_DOUBLE_EQ(m.Longitudes[b][CoucheNatale], b == MiPointSoleilLune ? MiPoint(m.natal.Natal[1], m.natal.Natal[2])
                                                                            : Etat().Positions[b][6]);
    EXPECT_NEAR(m.Longitudes[b][CoucheArcSolaire], Normaliser2Pi(m.Longitudes[b][CoucheNatale] + m.ArcSolaire), 1e-12);
    EXPECT_NEAR(m.PositionsCadran[b][CoucheTransit],
                b == PointBelier ? 0 : Normaliser2Pi(4 * m.Longitudes[b][CoucheTransit]), 1e-6);
  }
  // Solar arc: the Sun one day after birth for each year of life, from the library.
  const double P = m.natal.JourJulienNaissance + (m.JourJulienTransit - m.natal.JourJulienNaissance) / 365.2421988;
  const double arc = Normaliser360(LongitudeLibrairie(SE_SUN, P + DeltaT(P)) - m.natal.SoleilNatal / Deg);
  EXPECT_LT(SecondesDArc(m.ArcSolaire / Deg, arc), 0.01);
  EXPECT_NEAR(m.AgeAnnees, (m.JourJulienTransit - m.natal.JourJulienNaissance) / 365.242198, 1e-12);
}

TEST_F(Cadran, ArcNulALaNaissanceEtAvant) {
  const double naissance = m.natal.JourJulienNaissance;
  for (double decalage : {0.0, -1.0, -400.0}) {
    SCOPED_TRACE(decalage);
    ChampsMoment c = champs;
    EcrireMomentTU(c, naissance + decalage);
    CalculerPositions(m, c);
    EXPECT_EQ(m.ArcSolaire, 0.0);
    if (decalage == 0) {
      EXPECT_NEAR(m.AgeAnnees, 0, 1e-8);
    }
  }
}

TEST_F(Cadran, PasDesBoutons) {
  champs.date = "10.12.2026";
  champs.heure = "14h20";
  champs.secondes = "07";
  champs.fuseau = "01.00.00";
  CalculerPositions(m, champs);
  struct Cas { int tag; double jours; };
  const Cas cas[] = {{12, 365}, {11, -365}, {4, 1}, {1, 1.0 / 24}, {9, -30}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tag);
    EXPECT_EQ(PasDuBouton(c.tag), c.jours);
    const double avant = m.JourJulienTransit;
    AvancerCadran(m, champs, PasDuBouton(c.tag));
    // The fields now show UT to the second.
    EXPECT_EQ(champs.fuseau, "0");
    EXPECT_NEAR(m.JourJulienTransit - avant, c.jours, 0.5 / 86400 + 1e-9);
    EXPECT_EQ(champs.date, JourJulienVersDatePoints(m.JourJulienTransit));
  }
  // "1 an" is 365 days, not a calendar year: from 10.12.2026 14:20 +1 a leap year later is the 9th.
  ChampsMoment c = champs;
  c.date = "10.12.2027";
  c.heure = "13h20";
  c.secondes = "07";
  CalculerPositions(m, c);
  AvancerCadran(m, c, PasDuBouton(12));
  EXPECT_EQ(c.date, "09.12.2028");
  EXPECT_EQ(c.heure, "13h20");
  EXPECT_EQ(c.secondes, "07");
}

TEST(EtalementDuCadran, DeuxCorpsSeulsAuMemeAngle) {
  // Bodies 1 and 2 together at 200°, the others 10° apart away from them: the natal spread
  // (6°) puts the lower number 3° before and the other 1.5° after.
  ModeleCadran m;
  for (int b = 3; b <= NbCorps; ++b) m.PositionsCadran[b][1] = static_cast<float>(Normaliser2Pi((240 + 10.0 * b) * Deg));
  m.PositionsCadran[1][1] = m.PositionsCadran[2][1] = static_cast<float>(200 * Deg);
  EtalerPositions(m, 1, EcartNatal);
  std::vector<LigneGrille> g = GrilleAnneau(m, 1);
  int i1 = -1, i2 = -1;
  for (std::size_t i = 0; i < g.size(); ++i) {
    if (g[i].corps == 1) i1 = static_cast<int>(i);
    if (g[i].corps == 2) i2 = static_cast<int>(i);
  }
  ASSERT_GE(i1, 0);
  ASSERT_GE(i2, 0);
  EXPECT_EQ(i2, i1 + 1);
  EXPECT_NEAR(g[i1].angleEtale, 197.0, 1e-3);
  EXPECT_NEAR(g[i2].angleEtale, 201.5, 1e-3);
  EXPECT_NEAR(g[i1].angleVrai, 200.0, 1e-4);
  // The others are left where they are.
  for (const LigneGrille& l : g)
    if (l.corps > 2) {
      EXPECT_NEAR(l.angleEtale, l.angleVrai, 1e-3) << l.corps;
    }
}

TEST_F(Cadran, RetoursSolairesAuSoleilNatal) {
  // At the moment found the Sun stands on its natal place (+ the quarter, + the precession),
  // within 5" by the library called directly.
  const double soleil = m.natal.SoleilNatal / Deg;
  struct Cas { int annee, quart; bool precession; };
  const Cas cas[] = {{1992, 0, false}, {1992, 0, true}, {2026, 2, false}, {2026, 1, true}, {1960, 3, false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.annee << " +" << c.quart << "/4 " << c.precession);
    const ResultatRetour r = RetourSolaire(m.natal, c.annee, c.quart, c.precession);
    const double cible = soleil + 90.0 * c.quart + r.precession / Deg;
    EXPECT_LT(SecondesDArc(LongitudeLibrairie(SE_SUN, r.jourUT + DeltaT(r.jourUT)), cible), 5.0);
    EXPECT_DOUBLE_EQ(r.age, c.annee - 1952 + 0.25 * c.quart);
    EXPECT_EQ(r.precession != 0, c.precession);
    // The return falls near the birthday of that year (plus the quarter).
    const double attendu = m.natal.JourJulienNaissance + r.age * 365.2422;
    EXPECT_NEAR(r.jourUT, attendu, 5.0);
  }
}

TEST_F(Cadran, PrecessionRetardeLeRetourAQuaranteAnsDUnDemiJour) {
  const ResultatRetour sans = RetourSolaire(m.natal, 1992, 0, false);
  const ResultatRetour avec = RetourSolaire(m.natal, 1992, 0, true);
  EXPECT_NEAR(avec.precession / Deg, 0.56, 0.03);
  EXPECT_NEAR(avec.jourUT - sans.jourUT, 0.56, 0.06);
}

TEST_F(Cadran, RetoursLunaires) {
  const double lune = m.natal.LuneNatale / Deg;
  for (bool precession : {false, true}) {
    SCOPED_TRACE(precession);
    const ResultatRetour r = RetourLunaire(m.natal, 10, 12, 2026, precession);
    const double debut = JourJulien(10, 12, 2026, 0);
    EXPECT_GE(r.jourUT, debut);
    EXPECT_LT(r.jourUT, debut + 27.6);
    EXPECT_LT(SecondesDArc(LongitudeLibrairie(SE_MOON, r.jourUT + DeltaT(r.jourUT)), lune + r.precession / Deg), 5.0);
    // Started on the day of that return, before it, the search finds it again, not the next.
    const DateCalendrier d = JourJulienVersCalendrier(r.jourUT);
    if (r.jourUT - JourJulien(d.jour, d.mois, d.annee, 0) > 0.05) {
      const ResultatRetour encore = RetourLunaire(m.natal, d.jour, d.mois, d.annee, precession);
      EXPECT_NEAR(encore.jourUT, r.jourUT, 1e-4);
    }
  }
}

TEST_F(Cadran, ArcDonne) {
  // The moment the solar arc reaches 30°: the arc computed there is 30° within a minute.
  const double h = MomentArcDonne(m.natal, 30);
  EXPECT_NEAR(CalculerArcSolaire(m.natal, h) / Deg, 30.0, 1.0 / 60);
  EXPECT_NEAR((h - m.natal.JourJulienNaissance) / 365.25, 30.0, 2.5);
}

TEST(ComparaisonsDuCadran, SixLunaisonsAlternees) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  const std::vector<EvenementCadran> l = ListerLunaisons(10, 12, 2026);
  ASSERT_EQ(l.size(), 6u);
  const bool premiereNouvelle = l[0].symbole == std::string(1, static_cast<char>(186));
  for (std::size_t i = 0; i < l.size(); ++i) {
    SCOPED_TRACE(i);
    const bool nouvelle = (i % 2 == 0) == premiereNouvelle;
    EXPECT_EQ(l[i].symbole, std::string(1, static_cast<char>(nouvelle ? 186 : 194)));
    const double tt = l[i].jourUT + DeltaT(l[i].jourUT);
    const double elongation = Normaliser360(LongitudeLibrairie(SE_MOON, tt) - LongitudeLibrairie(SE_SUN, tt));
    EXPECT_LT(SecondesDArc(elongation, nouvelle ? 0 : 180), 30.0);
    if (i > 0) {
      EXPECT_NEAR(l[i].jourUT - l[i - 1].jourUT, 14.77, 1.5);
    }
  }
  // The first phase after the date minus 30 days.
  const double depart = JourJulien(10, 12, 2026, 0.5) - 30;
  EXPECT_GT(l[0].jourUT, depart);
  EXPECT_LT(l[0].jourUT, depart + 16);
}

TEST(ComparaisonsDuCadran, EclipsesDeDeuxAnsDansLOrdre) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  const std::vector<EvenementCadran> l = ListerEclipses(10, 12, 2026);
  const double debut = JourJulien(10, 12, 2025, 0);
  int solaires = 0, lunaires = 0;
  for (std::size_t i = 0; i < l.size(); ++i) {
    SCOPED_TRACE(l[i].dateTexte);
    EXPECT_GE(l[i].jourUT, debut);
    EXPECT_LE(l[i].jourUT, debut + 730);
    if (i > 0) {
      EXPECT_LT(l[i - 1].jourUT, l[i].jourUT);
    }
    const double tt = l[i].jourUT + DeltaTBibliotheque(l[i].jourUT);
    const double elongation = Normaliser360(LongitudeLibrairie(SE_MOON, tt) - LongitudeLibrairie(SE_SUN, tt));
    EXPECT_LT(SecondesDArc(elongation, l[i].solaire ? 0 : 180), 2 * 3600.0);
    solaires += l[i].solaire;
    lunaires += l[i].lunaire;
    EXPECT_EQ(l[i].symbole, l[i].solaire ? "$" : "%");
  }
  // Two years hold four to five of each.
  EXPECT_GE(solaires, 3);
  EXPECT_GE(lunaires, 3);
  EXPECT_LE(l.size(), 12u);
}

TEST_F(Cadran, PointeurReferenceEtEvenement) {
  champs.date = "10.12.2026";
  champs.heure = "12h00";
  champs.fuseau = "0";
  m.Harmonique = 4;
  CalculerPositions(m, champs);
  SelectionCadran s;  // the Sun of the solar-arc ring, as the window opens
  ReferenceCadran r = CalculerReference(m, s);
  EXPECT_NEAR(r.direction, 4 * std::fmod(m.Longitudes[Soleil][CoucheArcSolaire], Pi / 2), 1e-12);
  EXPECT_DOUBLE_EQ(r.recherche, m.Longitudes[Soleil][CoucheArcSolaire]);
  // A free pointer at dial angle a stands at a/H in the dial.
  s.CorpsChoisi = 0;
  s.AnglePointeur = 2.0;
  r = CalculerReference(m, s);
  EXPECT_DOUBLE_EQ(r.position, 0.5);
  // An event: the pointer follows the transit body 24.
  EvenementCadran ev;
  ev.positionDeg = 100;
  ev.jourUT = m.JourJulienTransit;
  ChoisirEvenement(m, s, ev);
  EXPECT_EQ(s.CorpsChoisi, MiPointSoleilLune);
  EXPECT_EQ(s.CoucheDe, CoucheTransit);
  EXPECT_EQ(s.CoucheVers, CoucheNatale);
  r = CalculerReference(m, s);
  EXPECT_NEAR(r.direction, 4 * std::fmod(m.Longitudes[MiPointSoleilLune][CoucheTransit], Pi / 2), 1e-12);
  BasculerHorloge(s);
  EXPECT_TRUE(s.ModeHorloge);
  EXPECT_EQ(s.CoucheVers, CoucheTransit);
  // "Now" in clock mode keeps both layers on transit and clears the event; a return selects
  // its body in the transit layer against natal.
  SelectionMaintenant(s);
  EXPECT_EQ(std::make_tuple(s.CorpsChoisi, s.PointeurEvenement, s.CoucheDe, s.CoucheVers),
            std::make_tuple(int(Soleil), false, int(CoucheTransit), int(CoucheTransit)));
  BasculerHorloge(s);
  SelectionMaintenant(s);
  EXPECT_EQ(std::make_tuple(s.CoucheDe, s.CoucheVers, s.AnneauChoisi),
            std::make_tuple(int(CoucheArcSolaire), int(CoucheNatale), int(CoucheArcSolaire)));
  SelectionDuRetour(s, false);
  EXPECT_EQ(std::make_tuple(s.CorpsChoisi, s.CoucheDe, s.CoucheVers),
            std::make_tuple(int(Lune), int(CoucheTransit), int(CoucheNatale)));
}

TEST_F(Cadran, MiPointSuiviEtSesAvertissements) {
  champs.date = "10.12.2026";
  champs.heure = "12h00";
  CalculerPositions(m, champs);
  struct Cas { int a, b; const char* message; int A, B; char lettre; };
  const Cas cas[] = {{2, 2, "Choisissez une planète à partir du Soleil", 1, 2, ':'},
                     {3, 1, "Choisissez une planète à partir du Soleil", 1, 2, ':'},
                     {3, 2, "La planète B doit être différente de la planète A", 1, 2, ':'},
                     {5, 3, "", NoeudLunaire, Lune, ';'},
                     {9, 7, "", Jupiter, Mars, ';'}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.a << "," << c.b);
    ModeleCadran mm = m;
    SelectionCadran s;
    EXPECT_EQ(SuivreMiPoint(mm, s, true, c.a, c.b), c.message);
    EXPECT_TRUE(s.SuiviMiPoint);
    if (*c.message) {
      EXPECT_EQ(s.CorpsChoisi, Soleil);  // pointer left as it was
      continue;
    }
    EXPECT_EQ(mm.MiPointSuiviA, c.A);
    EXPECT_EQ(mm.MiPointSuiviB, c.B);
    EXPECT_EQ(mm.LettreCorps24, c.lettre);
    EXPECT_EQ(s.CorpsChoisi, 0);
    EXPECT_EQ(s.CoucheDe, CoucheTransit);
  }
  // Switching off goes back to Sun/Moon.
  SelectionCadran s;
  EXPECT_EQ(SuivreMiPoint(m, s, false, 0, 0), "");
  EXPECT_EQ(m.MiPointSuiviA, Soleil);
  EXPECT_EQ(m.MiPointSuiviB, Lune);
  EXPECT_EQ(m.LettreCorps24, ':');
}

TEST_F(Cadran, PointABMoinsCEtKarmique) {
  champs.date = "10.12.2026";
  champs.heure = "12h00";
  m.Harmonique = 4;
  CalculerPositions(m, champs);
  SelectionCadran s;
  s.CoucheDe = CoucheNatale;
  EXPECT_EQ(CorpsDeA(0), PointBelier);
  EXPECT_EQ(CorpsDeB(2), Soleil);
  EXPECT_EQ(CorpsDeC(0), 0);
  EXPECT_EQ(CorpsDeC(4), Soleil);
  PointParticulier(m, s, Soleil, Lune, Mars);
  const double P = Normaliser2Pi(m.Longitudes[Soleil][1] + m.Longitudes[Lune][1] - m.Longitudes[Mars][1]);
  EXPECT_EQ(s.CorpsChoisi, 0);
  EXPECT_NEAR(s.AnglePointeur, Normaliser2Pi(4 * std::fmod(P, Pi / 2)), 1e-12);
  PointParticulier(m, s, Soleil, Lune, 0);
  EXPECT_NEAR(s.AnglePointeur, Normaliser2Pi(4 * std::fmod(MiPoint(m.Longitudes[1][1], m.Longitudes[2][1]), Pi / 2)),
              1e-12);
  // Karmic Ascendant: body 24 turned by half a turn or not, by the Sun's side and the sex.
  const double d = Normaliser2Pi(m.Longitudes[Soleil][1] - m.Longitudes[MiPointSoleilLune][1]);
  for (bool homme : {true, false}) {
    AscendantKarmique(m, s, homme);
    const bool demiTour = (d < Pi) == homme;
    EXPECT_EQ(m.DecalageKarmique, demiTour ? Pi : 0.0);
    EXPECT_NEAR(s.AscKarmiqueNatal, Normaliser2Pi(m.Longitudes[MiPointSoleilLune][1] + (demiTour ? Pi : 0)), 1e-12);
  }
}

TEST_F(Cadran, ClicDansLesAnneaux) {
  champs.date = "10.12.2026";
  champs.heure = "12h00";
  CalculerPositions(m, champs);
  const GeometrieCadran g = GeometrieDuCadran(1000);
  EXPECT_EQ(g.R0, 475);
  EXPECT_EQ(g.YC, 490);
  EXPECT_EQ(g.RH, static_cast<int>(Arrondi(Arrondi(0.5 * 475) * 0.61)));
  // The Sun's glyph of the natal ring, then an empty spot of the transit ring: the Sun stays
  // and is read in that ring from then on.
  double etale = 0;
  for (int i = 1; i <= NbCorps; ++i)
    if (m.OrdreEtale[i][1] == Soleil) etale = m.PositionsEtalees[i][1];
  const auto clic = [&](int rayon, double angle) {
    const double t = Pi / 2 + angle;
    return std::make_pair(g.XC + static_cast<int>(std::lround(rayon * std::cos(t))),
                          g.YC - static_cast<int>(std::lround(rayon * std::sin(t))));
  };
  SelectionCadran s;
  s.CorpsChoisi = Mars;
  auto [x, y] = clic(g.R66, etale);
  EXPECT_NEAR(AngleSouris(x, y, g), etale, 0.01);
  ASSERT_TRUE(CliquerCadran(m, s, g, x, y));
  EXPECT_EQ(s.CorpsChoisi, Soleil);
  EXPECT_EQ(s.CoucheDe, CoucheNatale);
  // An angle of the transit ring more than 3° from every spread glyph.
  double vide = -1;
  for (double a = 0; a < 360 && vide < 0; a += 0.5) {
    bool loin = true;
    for (const LigneGrille& l : GrilleAnneau(m, 3)) loin = loin && std::fabs(std::remainder(l.angleEtale - a, 360.0)) > 3.5;
    if (loin) vide = a;
  }
  ASSERT_GE(vide, 0);
  std::tie(x, y) = clic(g.R86, vide * Deg);
  ASSERT_TRUE(CliquerCadran(m, s, g, x, y));
  EXPECT_EQ(s.CorpsChoisi, Soleil);
  EXPECT_EQ(s.AnneauChoisi, CoucheTransit);
  EXPECT_EQ(s.CoucheDe, CoucheTransit);
  // Outside the rings: no body, nothing to redraw.
  std::tie(x, y) = clic(g.R50, 1.0);
  EXPECT_FALSE(CliquerCadran(m, s, g, x, y));
  EXPECT_EQ(s.CorpsChoisi, 0);
}

TEST_F(Cadran, CadresDeMaisons) {
  champs.date = "10.12.2026";
  champs.heure = "12h00";
  m.Harmonique = 1;
  CalculerPositions(m, champs);
  // Axis items 0..5: the axis body falls on the stated cusp.
  struct Cas { int axe, corps, cuspide; };
  const Cas cas[] = {{0, Soleil, 4}, {1, Lune, 10}, {2, Ascendant, 1}, {3, MilieuDuCiel, 10}, {4, PointBelier, 7},
                     {5, NoeudLunaire, 1}};
  for (const Cas& c : cas) {
    const CadreMaisons cadre = CadreNatal(m, c.axe);
    const double l = c.corps == PointBelier ? 0 : m.Longitudes[c.corps][1] / Deg;
    EXPECT_LT(SecondesDArc(cadre.cuspides[c.cuspide], l), 5) << c.axe;
    for (int k = 1; k <= 12; ++k)
      EXPECT_NEAR(std::remainder(cadre.cuspides[k] - cadre.cuspides[1] - 30 * (k - 1), 360.0), 0, 1e-3);
  }
  // The meridian frame: cusp 10 on the MC, cusp 4 opposite, each cusp's mirror half a turn on.
  const CadreMaisons meridien = CadreNatal(m, 6);
  EXPECT_LT(SecondesDArc(meridien.cuspides[10], m.Longitudes[MilieuDuCiel][1] / Deg), 60);
  for (int k : {1, 2, 3, 5, 6})
    EXPECT_NEAR(std::fabs(std::remainder(meridien.cuspides[k + 6] - meridien.cuspides[k], 360.0)), 180, 1e-6) << k;
  EXPECT_NEAR(std::fabs(std::remainder(meridien.cuspides[4] - meridien.cuspides[10], 360.0)), 180, 0.01);
  EXPECT_EQ(CadreNatal(m, AxeAucun).axe, AxeAucun);
}

// The dial's meridian frame is the six frames' meridian houses: the same cusps at every degree
// of sidereal time, and at a whole number of 30° no cusp reads 360 where the other says 0.
TEST(CadreMeridien, MemesCuspidesQueLesSixHoroscopes) {
  double l[25] = {};
  const double obliquite = 23.4392911;
  for (int n = 0; n <= 360; ++n) {
    for (double t : {1.0 * n, n + 0.345}) {
      const double mc = Normaliser360(std::atan2(std::sin(t * DegEnRad), std::cos(t * DegEnRad) * std::cos(obliquite * DegEnRad)) * RadEnDeg);
      l[MilieuDuCiel] = mc * DegEnRad;
      const CadreMaisons c = CalculerCadreMaisons(6, l, t, obliquite, l[MilieuDuCiel]);
      const std::array<double, 13> attendues = MaisonsMeridiennes(t, obliquite * DegEnRad, mc);
      for (int k = 1; k <= 12; ++k) {
        EXPECT_NEAR(c.cuspides[k], attendues[static_cast<std::size_t>(k)], 1e-9) << t << " cusp " << k;
        EXPECT_GE(c.cuspides[k], 0.0);
        EXPECT_LT(c.cuspides[k], 360.0) << t << " cusp " << k;
      }
    }
  }
}
