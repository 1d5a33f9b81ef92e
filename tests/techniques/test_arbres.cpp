#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "birthdata/records/Cp1252.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "techniques/ArbresMP.h"

using namespace selvane;

namespace {

std::bitset<256> Jeu(int dernier) {
  std::bitset<256> j;
  for (int b = 1; b <= dernier; ++b) j.set(static_cast<std::size_t>(b));
  return j;
}

// The trees computed again from the definitions, with degrees and a plain search:
// (root, body1, body2) -> signed offset (root minus point, on the shorter way of the dial).
std::map<std::tuple<int, int, int>, double> Independant(const LongitudesNatales& n, const std::bitset<256>& jeu,
                                                      int h, double orbeDeg) {
  const double M = 360.0 / h;
  auto plie = [&](double d) {
    d = std::fmod(d, M);
    if (d > M / 2) d -= M;
    if (d < -M / 2) d += M;
    return d;
  };
  auto paire = [&](int b) { return (b >= 21 && b <= 23) || (b <= 20 && jeu.test(static_cast<std::size_t>(b))); };
  std::map<std::tuple<int, int, int>, double> attendu;
  for (int r = 1; r <= 24; ++r) {
    const double t = n[static_cast<std::size_t>(r)] * RadEnDeg;
    for (double demi : {0.0, M / 2}) {
      for (int m = 1; m <= 24; ++m) {
        const double d = plie(t + demi - n[static_cast<std::size_t>(m)] * RadEnDeg);
        if (m != r && std::fabs(d) <= orbeDeg) attendu[{r, m, 0}] = d;
      }
      for (int j = 1; j <= 22; ++j)
        for (int k = j + 1; k <= 23; ++k) {
          if (!paire(j) || !paire(k)) continue;
          double a = n[static_cast<std::size_t>(j)] * RadEnDeg, b = n[static_cast<std::size_t>(k)] * RadEnDeg;
          double mp = (a + b) / 2;
          if (std::fabs(b - a) > 180) mp += 180;
          const double d = plie(t + demi - mp);
          if (std::fabs(d) <= orbeDeg) attendu[{r, j, k}] = d;
        }
    }
  }
  return attendu;
}

}  // namespace

TEST(ArbresMP, AccordAvecUnCalculIndependantDuTheme) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  DefinirJeuPlanetes(Jeu(10));
  Etat().FicheEnCours.Date = "07/03/1952";
  Etat().FicheEnCours.Heure = "14h05m30";
  Etat().FicheEnCours.Lat = "48.52";
  Etat().FicheEnCours.Long = "2.20";
  Etat().FicheEnCours.Fuseau = "01.00.00";
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
  const LongitudesNatales n = LireLongitudesNatales();
  for (int h : {1, 4, 16}) {
    for (int orbe : {5, 23}) {
      const auto arbres = CalculerArbres(n, Etat().JeuPlanetes, h, OrbeArbres(orbe));
      const auto attendu = Independant(n, Etat().JeuPlanetes, h, (orbe * 5 + 5) / 60.0);
      ASSERT_EQ(arbres.size(), 24u);
      std::size_t trouves = 0;
      for (const ArbreMP& a : arbres) {
        for (std::size_t i = 0; i < a.lignes.size(); ++i) {
          const LigneArbre& l = a.lignes[i];
          const auto it = attendu.find({a.racine, l.corps1, l.corps2});
          ASSERT_NE(it, attendu.end()) << "H" << h << " root " << a.racine << " " << l.corps1 << "/" << l.corps2;
          EXPECT_NEAR(l.ecart * RadEnDeg, it->second, 1e-9);
          if (i > 0) {
            EXPECT_GE(a.lignes[i - 1].ecart, l.ecart);  // largest positive offset first
          }
          ++trouves;
        }
      }
      EXPECT_EQ(trouves, attendu.size()) << "H" << h << " orb " << orbe;
      EXPECT_EQ(NombreMiPoints(arbres), static_cast<int>(trouves));
    }
  }
}

TEST(ArbresMP, MiPointDeLAutreCoteDuZeroEtPaires) {
  LongitudesNatales n{};
  for (int b = 1; b <= 24; ++b) n[static_cast<std::size_t>(b)] = (3.1 + 13.7 * b) * DegEnRad;
  // In the 90° dial: the Sun at 0.1°, Mercury/Venus at 89.9° -> +0.2°; Neptune is outside the set.
  n[Soleil] = 0.1 * DegEnRad;
  n[Mercure] = 170 * DegEnRad;
  n[Venus] = 189.8 * DegEnRad;  // midpoint 179.9 -> 89.9 in the 90° dial
  n[Neptune] = 0.15 * DegEnRad;
  n[Pluton] = 359.95 * DegEnRad;
  const auto arbres = CalculerArbres(n, Jeu(8), 4, OrbeArbres(5));
  const ArbreMP& soleil = arbres[0];
  bool paire = false, neptune = false;
  for (const LigneArbre& l : soleil.lignes) {
    if (l.corps1 == Mercure && l.corps2 == Venus) {
      paire = true;
      EXPECT_NEAR(l.ecart * RadEnDeg, 0.2, 1e-9);
      EXPECT_EQ(TexteEcartMP(l.ecart), Utf8VersCp1252("+0°12'"));
    }
    if (l.corps1 == Neptune) {
      neptune = l.corps2 == 0;
      EXPECT_EQ(TexteEcartMP(l.ecart), Utf8VersCp1252("-0°03'"));
    }
    // Neptune and Pluto outside the set: never in pairs; body 24 never in pairs.
    EXPECT_NE(l.corps2, Neptune);
    EXPECT_NE(l.corps2, Pluton);
    EXPECT_NE(l.corps2, MiPointSoleilLune);
  }
  EXPECT_TRUE(paire);
  EXPECT_TRUE(neptune);
  // The root row goes between the positive offsets and the others.
  const std::size_t r = soleil.PlaceRacine();
  for (std::size_t i = 0; i < soleil.lignes.size(); ++i) EXPECT_EQ(i < r, soleil.lignes[i].ecart > 0) << i;
}

TEST(ArbresMP, NouvelleColonneAvantDePasserLaDerniereLigne) {
  // Trees of 1 + k rows: the screen starts at line 1 and keeps below 60, the printer
  // starts at line 5 and keeps below 65.
  auto arbre = [](int racine, int lignes) {
    ArbreMP a{racine, {}};
    for (int i = 0; i < lignes; ++i) a.lignes.push_back({4, 1, 0, 0.001, 1000});
    return a;
  };
  const std::vector<ArbreMP> arbres = {arbre(1, 20), arbre(2, 20), arbre(3, 10), arbre(4, 4)};
  // Screen: 1, 1+21+3 = 25, 25+21+3 = 49; 49 + 11 = 60 reaches the limit: new column.
  const auto ecran = DisposerArbres(arbres, 1, 60);
  EXPECT_EQ(ecran[1].ligne, 25);
  EXPECT_EQ(ecran[2].colonne, 1);
  EXPECT_EQ(ecran[2].ligne, 1);
  EXPECT_EQ(ecran[3].ligne, 15);
  // Printer: 5, 29, 53; 53 + 11 = 64 stays below 65.
  const auto page = DisposerArbres(arbres, 5, 65);
  EXPECT_EQ(page[2].colonne, 0);
  EXPECT_EQ(page[2].ligne, 53);
  EXPECT_EQ(page[3].colonne, 1);
  EXPECT_EQ(page[3].ligne, 5);
}

TEST(ArbresMP, TextesDesListes) {
  EXPECT_EQ(TexteHarmonique(1), Utf8VersCp1252("H1 360°"));
  EXPECT_EQ(TexteHarmonique(4), Utf8VersCp1252("H4  90°"));
  EXPECT_EQ(TexteHarmonique(16), Utf8VersCp1252("H16  22°30'"));
  EXPECT_DOUBLE_EQ(OrbeArbres(5) * RadEnDeg, 0.5);
  EXPECT_DOUBLE_EQ(OrbeArbres(23) * RadEnDeg, 2.0);
}
