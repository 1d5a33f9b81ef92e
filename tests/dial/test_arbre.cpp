#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "core/ArbreMiPoints.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"

// The searches of bodies and midpoints on a reference point, on longitudes made up for each
// case, checked against a direct reading of the definitions.
using namespace selvane;

namespace {

constexpr double Deg = DegEnRad;

// Longitudes far from every reference the cases use: bodies 3..24 spread over the dial
// where no midpoint of two of them comes near the points looked at, unless a case moves one.
struct Longitudes {
  double l[25] = {};
  Longitudes() {
    for (int b = 1; b <= NbCorps; ++b) l[b] = (200.0 + 7.3 * b) * Deg;
    l[PointBelier] = 0;
  }
};

std::bitset<256> Jeu(std::initializer_list<int> corps) {
  std::bitset<256> j;
  for (int c : corps) j.set(c);
  return j;
}

std::bitset<256> JeuComplet() {
  std::bitset<256> j;
  for (int c = 1; c <= 20; ++c) j.set(c);
  return j;
}

// Signed offset of x from the reference, folded into -M/2..M/2 (the reference after x is positive).
double EcartAttendu(double reference, double x, double M) { return std::remainder(reference - x, M); }

// Every (harmonic, body1, body2) within `orbe` of the reference or of the point half a dial
// away, read straight from the definitions: the distance of the midpoint to the reference
// modulo half a dial.
std::set<std::tuple<int, int, int>> Attendus(const double l[25], double reference, int H, double orbe,
                                              const std::bitset<256>& jeu, int exclu, bool paires) {
  std::set<std::tuple<int, int, int>> s;
  const double demi = Pi / H;
  for (int u = 1; u <= NbCorps; ++u) {
    if (!paires && u != exclu && std::fabs(std::remainder(reference - l[u], demi)) <= orbe) s.insert({H, u, 0});
    for (int w = u + 1; w <= NbCorps; ++w) {
      const bool admis = (u >= 21 || jeu.test(u)) && (w >= 21 || jeu.test(w));
      if (admis && std::fabs(std::remainder(reference - MiPoint(l[u], l[w]), demi)) <= orbe) s.insert({H, u, w});
    }
  }
  return s;
}

}  // namespace

TEST(LignesMiPoints, SoleilLuneEnH4SurLePointeurEtLAutreBout) {
  // Sun at 10°, Moon at 20°: their midpoint 15° is exact under a pointer at 15°, and a hit of
  // the second pass under a pointer at 60° (15° + 45° in the 90-degree dial).
  Longitudes L;
  L.l[Soleil] = 10 * Deg;
  L.l[Lune] = 20 * Deg;
  ParametresLignes p;
  p.harmonique = 4;
  p.orbe = 45.0 / 60 * Deg;
  p.orbeSerre = 2.0 / 60 * Deg;
  p.jeu = JeuComplet();
  for (double pointeur : {15.0, 60.0, 105.0, 195.0}) {
    SCOPED_TRACE(pointeur);
    const std::vector<LigneMiPoint> lignes = ChercherLignesMiPoints(L.l, pointeur * Deg, p);
    bool trouve = false;
    for (const LigneMiPoint& l : lignes) {
      if (l.corps1 == Soleil && l.corps2 == Lune) {
        trouve = true;
        EXPECT_TRUE(l.serre);
        EXPECT_NEAR(l.distance, 0, 1e-12);
      }
    }
    EXPECT_TRUE(trouve);
  }
}

TEST(LignesMiPoints, AccordAvecLesDefinitions) {
  // Real-looking longitudes in every harmonic, lines against the direct reading.
  const double degres[25] = {0,   346.9, 120.3, 359.7, 318.9, 282.1, 5.6,  188.2, 102.4, 200.1,
                             140.9, 174.3, 67.5,  112.8, 79.6,  235.7, 4.2,  251.3, 105.9, 342.5,
                             208.4, 95.1,  0.0,   233.6, 0};
  double l[25];
  for (int b = 0; b <= NbCorps; ++b) l[b] = degres[b] * Deg;
  l[MiPointSoleilLune] = MiPoint(l[Soleil], l[Lune]);
  const std::bitset<256> jeu = Jeu({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 19});
  for (int H : {1, 4, 8, 12, 16, 32}) {
    for (double reference : {0.0, 17.25, 211.5, 359.9}) {
      SCOPED_TRACE(testing::Message() << "H" << H << " ref " << reference);
      ParametresLignes p;
      p.harmonique = H;
      p.orbe = 40.0 / 60 * Deg;
      p.orbeSerre = 4.0 / 60 * Deg;
      p.jeu = jeu;
      std::set<std::tuple<int, int, int>> trouves;
      for (const LigneMiPoint& x : ChercherLignesMiPoints(l, reference * Deg, p)) {
        EXPECT_TRUE(trouves.insert({x.harmonique, x.corps1, x.corps2}).second) << x.corps1 << "/" << x.corps2;
        EXPECT_EQ(x.serre, x.distance <= p.orbeSerre);
      }
      EXPECT_EQ(trouves, Attendus(l, reference * Deg, H, p.orbe, jeu, 0, true));
    }
  }
}

TEST(LignesMiPoints, LimitesDesOrbes) {
  // A midpoint at exactly the tight orb is green, at exactly the orb blue, a hair beyond nothing
  // (the reference stands at that distance after the midpoint at 0, so the distance is exact).
  const double orbe = 45.0 / 60 * Deg, serre = 2.0 / 60 * Deg;
  struct Cas { double position; bool attendu; bool serre; };
  const Cas cas[] = {{serre, true, true}, {orbe, true, false}, {orbe * (1 + 1e-9), false, false}};
  for (const Cas& c : cas) {
    Longitudes L;
    L.l[Soleil] = L.l[Lune] = 0;
    ParametresLignes p;
    p.harmonique = 4;
    p.orbe = orbe;
    p.orbeSerre = serre;
    p.jeu = JeuComplet();
    int n = 0;
    for (const LigneMiPoint& l : ChercherLignesMiPoints(L.l, c.position, p)) {
      if (l.corps1 != Soleil || l.corps2 != Lune) continue;
      ++n;
      EXPECT_EQ(l.serre, c.serre) << c.position;
    }
    EXPECT_EQ(n, c.attendu ? 1 : 0) << c.position;
  }
}

TEST(ArbreMiPoints, AccordAvecLesDefinitionsEtOrdreDesEcarts) {
  const double degres[25] = {0,   346.9, 120.3, 359.7, 318.9, 282.1, 5.6,  188.2, 102.4, 200.1,
                             140.9, 174.3, 67.5,  112.8, 79.6,  235.7, 4.2,  251.3, 105.9, 342.5,
                             208.4, 95.1,  0.0,   233.6, 0};
  double l[25];
  for (int b = 0; b <= NbCorps; ++b) l[b] = degres[b] * Deg;
  const std::bitset<256> jeu = Jeu({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  for (int H : {1, 4, 16}) {
    for (int corps : {Soleil, Mars, MilieuDuCiel}) {
      SCOPED_TRACE(testing::Message() << "H" << H << " corps " << corps);
      ParametresArbre p;
      p.harmonique = H;
      p.orbe = 1.4 * Deg;  // no hit of these longitudes sits on the orb itself
      p.corpsReference = corps;
      p.jeu = jeu;
      const std::vector<LigneArbre> lignes = ChercherArbre(l, l[corps], p);
      std::set<std::tuple<int, int, int>> trouves, singles;
      const double M = DeuxPi / H;
      for (std::size_t i = 0; i < lignes.size(); ++i) {
        const LigneArbre& x = lignes[i];
        trouves.insert({x.harmonique, x.corps1, x.corps2});
        if (i > 0) {
      EXPECT_LE(lignes[i - 1].ecart, x.ecart + 1e-5);
    }
        const double cible = x.corps2 ? MiPoint(l[x.corps1], l[x.corps2]) : l[x.corps1];
        // The offset is from the reference or from the point half a dial away, whichever it is near.
        const double e1 = EcartAttendu(l[corps], cible, M), e2 = EcartAttendu(l[corps] + M / 2, cible, M);
        EXPECT_NEAR(x.ecart, std::fabs(e1) <= p.orbe ? e1 : e2, 1e-9);
        EXPECT_EQ(x.cle, x.corps1 * 1000 + x.corps2);
      }
      std::set<std::tuple<int, int, int>> attendus = Attendus(l, l[corps], H, p.orbe, jeu, corps, true);
      const std::set<std::tuple<int, int, int>> seuls = Attendus(l, l[corps], H, p.orbe, jeu, corps, false);
      attendus.insert(seuls.begin(), seuls.end());
      EXPECT_EQ(trouves, attendus);
    }
  }
}

TEST(ArbreMiPoints, MiPointDeLAutreCoteDuZero) {
  // Reference 0.1°, midpoint at 89.8° of the 90-degree dial: 0.3° away across the 0, found
  // with the reference after the midpoint (positive); and the other way round, negative.
  struct Cas { double reference, milieu, ecart; };
  for (const Cas& c : {Cas{0.1, 89.8, 0.3}, Cas{89.8, 0.1, -0.3}, Cas{90.1, 179.8, 0.3}}) {
    Longitudes L;
    L.l[Soleil] = L.l[Lune] = c.milieu * Deg;
    ParametresArbre p;
    p.harmonique = 4;
    p.orbe = 40.0 / 60 * Deg;
    p.jeu = JeuComplet();
    bool trouve = false;
    for (const LigneArbre& l : ChercherArbre(L.l, c.reference * Deg, p)) {
      if (l.corps1 == Soleil && l.corps2 == Lune) {
        trouve = true;
        EXPECT_NEAR(l.ecart / Deg, c.ecart, 1e-9) << c.reference;
      }
    }
    EXPECT_TRUE(trouve) << c.reference;
    ParametresLignes pl;
    pl.harmonique = 4;
    pl.orbe = p.orbe;
    pl.orbeSerre = 1.0 / 60 * Deg;
    pl.jeu = p.jeu;
    int lignes = 0;
    for (const LigneMiPoint& l : ChercherLignesMiPoints(L.l, c.reference * Deg, pl))
      lignes += l.corps1 == Soleil && l.corps2 == Lune;
    EXPECT_EQ(lignes, 1) << c.reference;
  }
}

TEST(ArbreMiPoints, OrbeExacteEtCorpsHorsDuJeu) {
  Longitudes L;
  const double orbe = 40.0 / 60 * Deg;
  L.l[Mars] = orbe;                      // a single body at exactly the orb
  L.l[Venus] = L.l[Jupiter] = -orbe / 2 + DeuxPi;  // a pair of bodies outside the set, on the point
  L.l[Ascendant] = L.l[Mercure] = 0;     // the Ascendant pairs whatever the set, Mercury not
  ParametresArbre p;
  p.harmonique = 4;
  p.orbe = orbe;
  p.jeu = Jeu({Soleil, Lune, Mars});
  bool mars = false, jupiterSeul = false;
  for (const LigneArbre& l : ChercherArbre(L.l, 0, p)) {
    if (l.corps1 == Mars && l.corps2 == 0) {
      mars = true;
      EXPECT_NEAR(l.ecart, -orbe, 1e-15);
    }
    if (l.corps2 != 0) {
      EXPECT_TRUE(DansLesPaires(l.corps1, p.jeu) && DansLesPaires(l.corps2, p.jeu)) << l.corps1 << "/" << l.corps2;
      EXPECT_FALSE(l.corps1 == Venus && l.corps2 == Jupiter);
    }
  }
  EXPECT_TRUE(mars);
  bool ascBelier = false;
  for (const LigneArbre& l : ChercherArbre(L.l, 0, p)) ascBelier = ascBelier || l.cle == Ascendant * 1000 + PointBelier;
  EXPECT_TRUE(ascBelier);
  // Venus and Jupiter stand on the point as single bodies all the same.
  for (const LigneArbre& l : ChercherArbre(L.l, 0, p)) {
    jupiterSeul = jupiterSeul || (l.corps1 == Jupiter && l.corps2 == 0);
  }
  EXPECT_TRUE(jupiterSeul);
}

TEST(ArbreMiPoints, SousHarmoniquesFusionnesParCle) {
  // H = 4 with "H+++": a body on the reference is found in H4, H8 and H16 and keeps one row;
  // one only in H8 (22.5° on, within the H8 orb, outside the H16 one) and one only in H16.
  Longitudes L;
  const double orbe = 40.0 / 60 * Deg;
  L.l[Mars] = 30 * Deg;
  L.l[Venus] = (30 + 22.5) * Deg + orbe / 3;
  L.l[Jupiter] = (30 + 11.25) * Deg + orbe / 5;
  ParametresArbre p;
  p.harmonique = 4;
  p.orbe = orbe;
  p.sousHarmoniques = true;
  p.jeu = Jeu({Soleil});  // no pairs but the points 21..24
  std::map<int, int> lignesDuCorps;
  std::map<int, int> harmoniqueDuCorps;
  const std::vector<LigneArbre> lignes = ChercherArbre(L.l, 30 * Deg, p);
  for (const LigneArbre& l : lignes) {
    if (l.corps2 != 0) continue;
    ++lignesDuCorps[l.corps1];
    harmoniqueDuCorps[l.corps1] = l.harmonique;
  }
  EXPECT_EQ(lignesDuCorps[Mars], 1);
  EXPECT_EQ(harmoniqueDuCorps[Venus], 8);
  EXPECT_EQ(harmoniqueDuCorps[Jupiter], 16);
  for (std::size_t i = 1; i < lignes.size(); ++i) EXPECT_LE(lignes[i - 1].ecart, lignes[i].ecart + 1e-5);
  // Without the box, only the H4 row.
  p.sousHarmoniques = false;
  for (const LigneArbre& l : ChercherArbre(L.l, 30 * Deg, p)) EXPECT_EQ(l.harmonique, 4);
}

TEST(ArbreMiPoints, EffacerDoublonsGardeLeDernierDeChaqueSuite) {
  struct Cas { std::vector<int> cles; std::vector<int> gardes; };  // rows are numbered by their place
  const Cas cas[] = {{{}, {}},
                     {{5}, {0}},
                     {{5, 5}, {1}},
                     {{1, 5, 5}, {0, 2}},
                     {{5, 5, 7}, {1, 2}},
                     {{5, 5, 5}, {2}},
                     {{1, 1, 2, 3, 3, 3, 4}, {1, 2, 5, 6}}};
  for (const Cas& c : cas) {
    std::vector<LigneArbre> lignes;
    for (std::size_t i = 0; i < c.cles.size(); ++i) lignes.push_back({static_cast<int>(i), 1, 0, 0, c.cles[i]});
    EffacerDoublons(lignes);
    std::vector<int> gardes;
    for (const LigneArbre& l : lignes) gardes.push_back(l.harmonique);
    EXPECT_EQ(gardes, c.gardes);
  }
}

TEST(ArbreMiPoints, TexteDeLEcart) {
  EXPECT_EQ(TexteEcartArbre(5.05 * Deg), ">" " 5\xB0" "03\xB4");
  EXPECT_EQ(TexteEcartArbre(-0.2 * Deg), "- 0\xB0" "12\xB4");
}
