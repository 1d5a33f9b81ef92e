// The rows of the directions and transits list, checked against the ephemeris itself.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <set>
#include <tuple>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "forecast/ListeDirections.h"
#include "tests/forecast/NatalDeTest.h"

using namespace selvane;

namespace {

class ListeDirectionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CalculerNatalDeTest();
    natal = NatalDepuisEtat();
  }
  NatalDirections natal;
};

// Smallest signed angle a - b, degrees.
double EcartSigne(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return d;
}

// The ephemeris asked directly (its own ΔT), degrees.
double LongitudeDirecte(int corps, double jourUT, double* vitesse = nullptr) {
  double x[6] = {};
  char erreur[256];
  swe_calc_ut(jourUT, NumerosEphemeride[static_cast<std::size_t>(corps)], SEFLG_SPEED, x, erreur);
  if (vitesse) *vitesse = x[3];
  return x[0];
}

std::vector<int> Tous() { return {CorpsDesListes.begin(), CorpsDesListes.end()}; }

}  // namespace

TEST_F(ListeDirectionsTest, LesAnneesVontDuDebutAFinPlusUn) {
  const std::vector<ArcAnnuel> arcs = ArcsParAnnee(natal, 1, 90);
  ASSERT_EQ(arcs.size(), 90u);
  EXPECT_EQ(arcs.front().k, 2);
  EXPECT_EQ(arcs.back().k, 91);
  // The arc after k years is the Sun's motion over k days.
  for (const ArcAnnuel& a : arcs) {
    const double soleil = LongitudeDirecte(Soleil, natal.jourJulienNaissance + a.k);
    EXPECT_NEAR(EcartSigne(soleil, natal.longitudes[Soleil] * RadEnDeg), a.arc * RadEnDeg, 2e-5) << a.k;  // both ΔT aside
  }
  DemandeDirections d;
  d.p1 = d.p2 = d.p3 = Tous();
  d.debut = 1;
  d.fin = 90;
  const std::vector<LigneDirection> lignes = CalculerDirections(natal, d);
  ASSERT_FALSE(lignes.empty());
  EXPECT_GE(lignes.front().age, 1.0);
  EXPECT_LE(lignes.back().age, 91.0);
  EXPECT_GT(lignes.back().age, 90.0);  // the last year is searched too
  for (std::size_t i = 1; i < lignes.size(); ++i) ASSERT_LE(lignes[i - 1].arcDeg, lignes[i].arcDeg + 1e-5);
}

// Every row: the directed value at the arc of the contact lies on its target, unchanged or
// by half the harmonic circle.
TEST_F(ListeDirectionsTest, ChaqueDirectionEstUnContact) {
  for (const bool versMiPoints : {true, false})
    for (const int h : {1, 4, 16}) {
      DemandeDirections d;
      d.p1 = d.p2 = d.p3 = Tous();
      d.harmonique = h;
      d.debut = 0;
      d.fin = 40;
      d.versMiPoints = versMiPoints;
      const std::vector<LigneDirection> lignes = CalculerDirections(natal, d);
      ASSERT_GT(lignes.size(), 10u) << h;
      const double cercle = 360.0 / h;
      const auto& n = natal.longitudes;
      for (const LigneDirection& l : lignes) {
        double dirige = 0, cible = 0;
        const double arc = l.arcDeg * DegEnRad;
        if (versMiPoints) {
          dirige = Normaliser2Pi(n[l.p] + arc);
          cible = l.a == l.b ? n[l.a] : MiPoint(n[l.a], n[l.b]);
          EXPECT_EQ(l.q, 0);
        } else {
          ASSERT_LT(l.p, l.q);
          dirige = MiPoint(Normaliser2Pi(n[l.p] + arc), Normaliser2Pi(n[l.q] + arc));
          cible = n[l.a];
        }
        const double ecart = std::fmod(std::fabs(EcartSigne(dirige * RadEnDeg, cible * RadEnDeg)), cercle / 2);
        EXPECT_LT(std::min(ecart, cercle / 2 - ecart), 1e-6) << h << " " << l.cellules[0] << " " << l.age;
        EXPECT_EQ(l.cellules[2], JourJulienVersDatePoints(natal.jourJulienNaissance + l.age * 365.242));
      }
    }
}

// Natal places made so that a directed point lands exactly on its target at the end of year k.
TEST_F(ListeDirectionsTest, ContactsConstruits) {
  const std::vector<ArcAnnuel> arcs = ArcsParAnnee(natal, 1, 30);
  const ArcAnnuel& annee = arcs[10];  // k = 12
  auto trouve = [](const std::vector<LigneDirection>& lignes, int p, int cible, double age) {
    for (const LigneDirection& l : lignes)
      if (l.p == p && l.a == cible && l.b == cible && std::fabs(l.age - age) < 1e-6) return &l;
    return static_cast<const LigneDirection*>(nullptr);
  };
  struct Cas {
    double decalageDeg;  // directed Moon at the end of year k, past the natal Sun
    int harmonique;
    bool liste;
  } cas[] = {{0, 1, true}, {0, 4, true}, {45, 4, true}, {45, 8, true}, {45, 1, false}, {180, 1, true}, {30, 4, false}};
  for (const Cas& c : cas) {
    NatalDirections n = natal;
    n.longitudes[Lune] = Normaliser2Pi(n.longitudes[Soleil] + c.decalageDeg * DegEnRad - annee.arc);
    DemandeDirections d;
    d.p1 = {Lune};
    d.p2 = d.p3 = {Soleil};
    d.harmonique = c.harmonique;
    d.debut = 1;
    d.fin = 30;
    const std::vector<LigneDirection> lignes = CalculerDirections(n, d);
    const LigneDirection* l = trouve(lignes, Lune, Soleil, annee.k);
    EXPECT_EQ(l != nullptr, c.liste) << c.decalageDeg << " H" << c.harmonique;
    if (!l) continue;
    // On the birthday of that year, with the arc of that year.
    EXPECT_EQ(l->cellules[2], JourJulienVersDatePoints(n.jourJulienNaissance + annee.k * 365.242));
    EXPECT_EQ(l->cellules[3], std::to_string(annee.k) + " a 0 m");
    EXPECT_NEAR(l->arcDeg, annee.arc * RadEnDeg, 1e-9);
    EXPECT_EQ(l->cellules[0], std::string(1, LettresCorps[Lune]) + " = " + LettresCorps[Soleil]);
  }
}

TEST_F(ListeDirectionsTest, MiPointsDirigesSansCorpsAvecLuiMeme) {
  DemandeDirections d;
  d.p1 = d.p2 = {Soleil, Lune, Mars};
  d.p3 = Tous();
  d.debut = 0;
  d.fin = 80;
  d.versMiPoints = false;
  const std::vector<LigneDirection> lignes = CalculerDirections(natal, d);
  ASSERT_FALSE(lignes.empty());
  std::set<std::pair<int, int>> vus;
  for (const LigneDirection& l : lignes) {
    ASSERT_LT(l.p, l.q);
    vus.insert({l.p, l.q});
    EXPECT_EQ(l.cellules[0], std::string(1, LettresCorps[l.p]) + "/" + LettresCorps[l.q] + " = " + LettresCorps[l.a]);
  }
  EXPECT_EQ(vus, (std::set<std::pair<int, int>>{{1, 2}, {1, 5}, {2, 5}}));
}

// Every listed transit is a real contact at its moment, and a day-by-day scan of the ephemeris
// finds no contact the list lacks.
TEST_F(ListeDirectionsTest, TransitsContreUnBalayageIndependant) {
  DemandeTransits d;
  for (int c = 1; c <= 19; ++c) d.p1.push_back(c);
  d.p2 = {Soleil, Lune, Ascendant, PointBelier};
  d.p3 = {Soleil, Lune, Pluton, MilieuDuCiel, PointBelier};
  d.annee = 2025;
  d.jours = 730;
  d.aspects = {2, 4, 6, 8};
  const std::vector<LigneTransit> lignes = CalculerTransits(natal, d);
  ASSERT_GT(lignes.size(), 500u);

  using Contact = std::tuple<int, int, int, long, long>;  // body, a, b, aspect point (arc-seconds), day
  std::set<Contact> listes;
  const double j0 = JourJulien(1, 1, 2025, 0);
  for (const LigneTransit& l : lignes) {
    const auto cellules = CellulesTransit(l);
    double vitesse = 0;
    const double ici = LongitudeDirecte(l.corps, l.jour, &vitesse);
    // At its moment (about a second of time for the Moon, both ΔT aside).
    EXPECT_LT(std::fabs(EcartSigne(ici, l.pointAspectDeg)), 2.0 / 3600) << cellules[0] << " " << cellules[2];
    EXPECT_EQ(l.retrograde, vitesse < 0) << l.corps << " " << cellules[2];
    // The minute shown holds it: the body is on the point between its start and its end.
    const double debut = std::floor((l.jour + 0.5) * 1440.0) / 1440.0 - 0.5;
    const double avant = EcartSigne(LongitudeDirecte(l.corps, debut), l.pointAspectDeg);
    const double apres = EcartSigne(LongitudeDirecte(l.corps, debut + 1.0 / 1440), l.pointAspectDeg);
    EXPECT_LE(std::min(avant, apres), 2.0 / 3600) << cellules[2];
    EXPECT_GE(std::max(avant, apres), -2.0 / 3600) << cellules[2];
    EXPECT_EQ(cellules[2], JourJulienVersDatePoints(debut + 1e-7) + " - " + FormatHeureHM(HeureDuJour(debut + 1e-7)));
    listes.insert({l.corps, l.a, l.b, std::lround(l.pointAspectDeg * 3600), static_cast<long>(std::floor(l.jour - j0))});
  }

  std::set<Contact> balayes;
  const int angles[] = {0, 45, 90, 135, 180, -45, -90, -135};
  for (int s = 1; s <= 19; ++s) {
    double hier = LongitudeDirecte(s, j0);
    for (int jour = 1; jour <= 730; ++jour) {
      const double aujourdhui = LongitudeDirecte(s, j0 + jour);
      for (int a : d.p2)
        for (int b : d.p3) {
          if (b < a) continue;
          const double m = (a == b ? natal.longitudes[a] : MiPoint(natal.longitudes[a], natal.longitudes[b])) * RadEnDeg;
          for (int angle : angles) {
            const double point = Normaliser360(m + angle);
            const double e0 = EcartSigne(hier, point), e1 = EcartSigne(aujourdhui, point);
            // Crossed during the day: the sign changes over a small step (not across the far side).
            if (((e0 < 0 && e1 >= 0) || (e0 > 0 && e1 <= 0)) && std::fabs(e1 - e0) < 90)
              balayes.insert({s, a, b, std::lround(point * 3600), static_cast<long>(jour - 1)});
          }
        }
      hier = aujourdhui;
    }
  }
  // Contacts the two ways date a whole day apart only when a body stands on the point at 0h.
  std::vector<Contact> manquants, enTrop;
  for (const Contact& c : balayes)
    if (!listes.count(c)) manquants.push_back(c);
  for (const Contact& c : listes)
    if (!balayes.count(c)) enTrop.push_back(c);
  EXPECT_TRUE(manquants.empty()) << manquants.size() << " contacts missing, first body " << std::get<0>(manquants[0])
                                 << " day " << std::get<4>(manquants[0]);
  EXPECT_TRUE(enTrop.empty()) << enTrop.size() << " contacts the scan lacks";
}

// A body going backward over 0° Aries: Saturn and Neptune in 2025, onto the Aries point.
TEST_F(ListeDirectionsTest, RetrogradeSurLePointBelier) {
  DemandeTransits d;
  d.p1 = {Saturne, Neptune};
  d.p2 = d.p3 = {PointBelier};
  d.annee = 2025;
  d.jours = 365;
  const std::vector<LigneTransit> lignes = CalculerTransits(natal, d);
  std::vector<std::string> vus;
  for (const LigneTransit& l : lignes) {
    const auto cellules = CellulesTransit(l);
    vus.push_back(cellules[0].substr(0, cellules[0].find(' ')) + " " + cellules[2].substr(3, 2));
    EXPECT_EQ(l.aspect, 0);
    EXPECT_NEAR(EcartSigne(LongitudeDirecte(l.corps, l.jour), 0), 0, 2.0 / 3600);
  }
  const std::string saturne(1, LettresCorps[Saturne]), neptune(1, LettresCorps[Neptune]);
  // Neptune enters Aries in March, Saturn in May; Saturn goes back in September, Neptune in October.
  EXPECT_EQ(vus, (std::vector<std::string>{neptune + " 03", saturne + " 05", saturne + "@ 09", neptune + "@ 10"}));
}

TEST_F(ListeDirectionsTest, CellulesDuTransit) {
  DemandeTransits d;
  d.p1 = {Lune};
  d.p2 = {Soleil};
  d.p3 = {Soleil, Lune};
  d.annee = 2100;
  d.jours = 365;
  d.aspects = {8};
  const std::vector<LigneTransit> lignes = CalculerTransits(natal, d);
  ASSERT_GT(lignes.size(), 40u);  // 2100 is accepted
  for (const LigneTransit& l : lignes) {
    const auto cellules = CellulesTransit(l);
    const std::string attendu = std::string(1, LettresCorps[Lune]) + " " + static_cast<char>(186 + l.aspect) + " " +
                                LettresCorps[Soleil] + (l.b == Lune ? std::string("/") + LettresCorps[Lune] : "");
    EXPECT_EQ(cellules[0], attendu);
    EXPECT_TRUE(l.aspect == 0 || l.aspect == 8);
    EXPECT_EQ(cellules[1], FormatGlyphe(l.pointAspectDeg * DegEnRad));
    EXPECT_EQ(cellules[4], "");
    EXPECT_EQ(cellules[5].size(), 13u);
  }
  d.annee = 2101;
  EXPECT_TRUE(CalculerTransits(natal, d).empty());
  EXPECT_FALSE(AnneeTransitsValide(-5));
  EXPECT_TRUE(AnneeTransitsValide(0));
}

TEST(ExportListe, Message) {
  EXPECT_EQ(MessageExport(5, 10), "Tableau de 5 colonnes et 10 lignes \xE0 coller");
}
